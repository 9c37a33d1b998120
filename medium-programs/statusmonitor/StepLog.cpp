#include "StepLog.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "ScopedHandle.h"

CStepLog::CStepLog(const std::wstring& fileName) {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length > 0 && length <= MAX_PATH) path_ = std::wstring(temp, length) + fileName;
}

void CStepLog::Line(const std::wstring& text) const {
    if (path_.empty()) return;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char stamp[32] = {};
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    std::string line = stamp;
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    if (size > 0) {
        std::vector<char> ansi(static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), ansi.data(), size, nullptr,
                            nullptr);
        line.append(ansi.data(), ansi.size());
    }
    line += "\r\n";

    const HANDLE opened = CreateFileW(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return;
    const CKernelHandle file(opened);
    DWORD written = 0;
    WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
