#include "Log.h"

#include <atomic>
#include <climits>
#include <cwchar>
#include <vector>

namespace {

thread_local bool tPrinting = false;

const wchar_t* const kDays[] = {L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday"};
const wchar_t* const kMonths[] = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                                  L"July",    L"August",   L"September", L"October", L"November", L"December"};

std::wstring Formatted(const wchar_t* format, ...) {
    wchar_t buffer[512];
    va_list args;
    va_start(args, format);
    const int n = vswprintf(buffer, 512, format, args);
    va_end(args);
    return n < 0 ? std::wstring() : std::wstring(buffer, static_cast<std::size_t>(n));
}

bool WriteAll(HANDLE file, const void* data, DWORD size) {
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

// Marks the calling thread as printing for the lifetime of the guard.
class CPrintGuard {
public:
    CPrintGuard() : entered_(!tPrinting) { tPrinting = true; }
    ~CPrintGuard() {
        if (entered_) tPrinting = false;
    }
    CPrintGuard(const CPrintGuard&) = delete;
    CPrintGuard& operator=(const CPrintGuard&) = delete;
    bool Entered() const { return entered_; }

private:
    bool entered_;
};

}  // namespace

CLog::CLog() {
    wchar_t module[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return;
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD tempLength = GetTempPathW(MAX_PATH + 1, temp);
    if (tempLength == 0 || tempLength > MAX_PATH) return;
    const std::wstring path(module, length);
    Open(temp, path.substr(path.find_last_of(L'\\') + 1));
    WriteBanner(kDefaultProgramName);
}

CLog::CLog(const std::wstring& directory, const std::wstring& programFile, const std::wstring& programName) {
    Open(directory, programFile);
    WriteBanner(programName);
}

CLog::~CLog() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

void CLog::Open(const std::wstring& directory, const std::wstring& programFile) {
    for (int attempt = -1;; ++attempt) {
        const std::wstring path =
            directory + programFile + (attempt < 0 ? std::wstring() : std::to_wstring(attempt)) + L".log";
        file_ = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ != INVALID_HANDLE_VALUE) {
            path_ = path;
            return;
        }
        const DWORD error = GetLastError();
        if ((error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) || attempt == INT_MAX - 1) return;
    }
}

void CLog::WriteBanner(const std::wstring& programName) {
    if (file_ == INVALID_HANDLE_VALUE) return;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::wstring slashes(60, L'/');
    const std::wstring blank = L"//" + std::wstring(56, L' ') + L"//\r\n";
    std::wstring banner = slashes + L"\r\n" + blank + Formatted(L"// %-55ls//", programName.c_str()) + L"\r\n" +
                          blank + slashes + L"\r\n\r\n" +
                          Formatted(L"Data : %ls, %ls %02u, %04u", kDays[now.wDayOfWeek % 7],
                                    kMonths[(now.wMonth + 11) % 12], now.wDay, now.wYear) +
                          L"\r\n\r\n\r\n";
    WriteAll(file_, banner.data(), static_cast<DWORD>(banner.size() * sizeof(wchar_t)));
}

std::wstring CLog::Format(const wchar_t* format, va_list args) {
    std::vector<wchar_t> buffer(4096);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        const int n = vswprintf(buffer.data(), buffer.size(), format, copy);
        va_end(copy);
        // A too small buffer gives -1 or, with C99 rules, the length needed.
        if (n >= 0 && static_cast<std::size_t>(n) < buffer.size())
            return std::wstring(buffer.data(), static_cast<std::size_t>(n));
        if (buffer.size() >= (1u << 24)) return std::wstring();  // a malformed format
        buffer.resize(n > 0 ? static_cast<std::size_t>(n) + 1 : buffer.size() * 4);
    }
}

void CLog::WriteLine(const std::wstring& message) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::wstring line = Formatted(L"[%02u.%02u.%02u]  ", now.wHour, now.wMinute, now.wSecond) + message + L"\r\n";
    const int bytes = WideCharToMultiByte(CP_ACP, 0, line.data(), static_cast<int>(line.size()), nullptr, 0, nullptr,
                                          nullptr);
    if (bytes <= 0) return;
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, line.data(), static_cast<int>(line.size()), ansi.data(), bytes, nullptr, nullptr);
    WriteAll(file_, ansi.data(), static_cast<DWORD>(ansi.size()));
}

void CLog::PrintV(DWORD error, bool withError, const wchar_t* format, va_list args) {
    if (file_ == INVALID_HANDLE_VALUE || format == nullptr) return;
    CPrintGuard guard;
    if (!guard.Entered()) return;
    const std::wstring message = Format(format, args);
    std::wstring errorLine;
    if (withError && error != 0) {
        wchar_t* text = nullptr;
        const DWORD length =
            FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                           reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        if (length > 0 && text != nullptr) errorLine = L"Error Code = " + std::to_wstring(static_cast<int>(error)) +
                                                       L" :" + std::wstring(text, length) + L" ";
        if (text != nullptr) LocalFree(text);
    }
    std::lock_guard<std::mutex> lock(writing_);
    WriteLine(message);
    if (!errorLine.empty()) WriteLine(errorLine);
}

void CLog::Print(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    PrintV(0, false, format, args);
    va_end(args);
}

void CLog::PrintError(DWORD error, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    PrintV(error, true, format, args);
    va_end(args);
}

namespace {
std::atomic<CLog*> gLog{nullptr};
}  // namespace

CLog& GlobalLog() {
    static CLog silent(nullptr);
    CLog* log = gLog.load();
    return log != nullptr ? *log : silent;
}

void SetGlobalLog(CLog* log) { gLog.store(log); }
