// A stand-in for a running setup: holds the single-instance mutex and, when
// asked, a window of the same class name; writes "2050" to a report file when
// that window is sent the bring-to-front message.
//
//   mutex_holder <name> <with window 0|1> <ready file> <stop file> <report file>
#include <windows.h>

#include <string>

namespace {

std::wstring gReport;

void Touch(const std::wstring& path, const char* text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    CloseHandle(file);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 1026) {
        Touch(gReport, "2050");
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 6) return 2;
    const std::wstring name = argv[1];
    const bool withWindow = std::wstring(argv[2]) == L"1";
    const std::wstring ready = argv[3], stop = argv[4];
    gReport = argv[5];

    HANDLE mutex = CreateMutexW(nullptr, TRUE, name.c_str());
    if (mutex == nullptr) return 3;
    HWND window = nullptr;
    if (withWindow) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = name.c_str();
        if (!RegisterClassW(&windowClass)) return 4;
        window = CreateWindowExW(0, name.c_str(), L"holder", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
        if (window == nullptr) return 5;
    }
    Touch(ready, "ready");
    const DWORD start = GetTickCount();
    while (GetFileAttributesW(stop.c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount() - start < 60000) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    if (window != nullptr) DestroyWindow(window);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return 0;
}
