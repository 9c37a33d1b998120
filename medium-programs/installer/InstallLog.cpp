#include "InstallLog.h"

#include <cstdarg>
#include <cwchar>
#include <string>

namespace installer {

namespace {

wchar_t g_program[32] = L"Vxrun";

std::wstring Format(const wchar_t* format, va_list args) {
    wchar_t text[2048] = {};
    vswprintf(text, 2048, format, args);
    return text;
}

void Append(const std::wstring& text) {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    wchar_t head[64] = {};
    swprintf(head, 64, L"[%02u.%02u.%02u] %ls: ", now.wHour, now.wMinute, now.wSecond, g_program);
    const std::wstring line = std::wstring(head) + text + L"\r\n";
    const HANDLE file = CreateFileW(LogPath(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    LARGE_INTEGER size = {};
    if (GetFileSizeEx(file, &size) && size.QuadPart == 0) {
        const wchar_t mark = 0xFEFF;
        WriteFile(file, &mark, sizeof(mark), &written, nullptr);
    }
    WriteFile(file, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

void SetLogProgram(const wchar_t* program) { wcsncpy(g_program, program, 31); }

const wchar_t* LogPath() {
    static wchar_t path[MAX_PATH + 16] = {};
    if (path[0] == L'\0') {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        swprintf(path, MAX_PATH + 16, L"%lsVxrun.log", temp);
    }
    return path;
}

void LogLine(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    const std::wstring text = Format(format, args);
    va_end(args);
    Append(text);
}

void LogError(DWORD error, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    const std::wstring text = Format(format, args);
    va_end(args);
    wchar_t* message = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::wstring system = message != nullptr ? message : L"";
    if (message != nullptr) LocalFree(message);
    while (!system.empty() && (system.back() == L'\n' || system.back() == L'\r' || system.back() == L' '))
        system.pop_back();
    wchar_t code[64] = {};
    swprintf(code, 64, L" - Error Code = %lu :", static_cast<unsigned long>(error));
    Append(text + code + system);
}

}  // namespace installer
