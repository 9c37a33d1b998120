#include "HostFolder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "Medium.h"

namespace qs_test {

namespace {

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

std::wstring WindowsPathOf(const std::string& unixPath) {
    std::wstring path = L"Z:" + Widen(unixPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

HostFolder::HostFolder() {
    static int serial = 0;
    unixPath_ = "/tmp/qs-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "-" +
                std::to_string(++serial);
    CreateDirectoryW(WindowsPath().c_str(), nullptr);
}

HostFolder::~HostFolder() { DeleteTree(WindowsPath()); }

std::wstring HostFolder::WindowsPath(const std::wstring& name) const {
    const std::wstring folder = WindowsPathOf(unixPath_);
    return name.empty() ? folder : folder + L"\\" + name;
}

std::string HostFolder::UnixPath(const std::string& name) const {
    return name.empty() ? unixPath_ : unixPath_ + "/" + name;
}

int RunHostScript(const HostFolder& folder, const std::string& script, DWORD timeoutMs) {
    const std::wstring status = folder.WindowsPath(L"host-status");
    DeleteFileW(status.c_str());
    // The status file appears whole: written aside, then renamed.
    const std::string wrapped = "( " + script + " ) >" + folder.UnixPath("host-output") + " 2>&1; echo $? >" +
                                folder.UnixPath("host-status.tmp") + "; mv " + folder.UnixPath("host-status.tmp") +
                                " " + folder.UnixPath("host-status");
    std::wstring commandLine = L"Z:\\bin\\sh -c \"" + Widen(wrapped) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (FileExists(status)) return std::atoi(ReadFileBytes(status).c_str());
        Sleep(50);
    }
    return -1;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace qs_test
