#pragma once
// A folder that both Windows programs under Wine and the Linux host reach,
// and running a shell script on the host (ghostscript, say) against it.

#include <windows.h>

#include <string>

namespace qs_test {

// A fresh folder under the host's /tmp, removed with everything in it when
// the object ends. Windows programs see it as Z:\tmp\...
class HostFolder {
public:
    HostFolder();
    ~HostFolder();
    HostFolder(const HostFolder&) = delete;
    HostFolder& operator=(const HostFolder&) = delete;

    std::wstring WindowsPath(const std::wstring& name = L"") const;
    std::string UnixPath(const std::string& name = "") const;

private:
    std::string unixPath_;
};

// Runs |script| with the host's /bin/sh and waits for it to end (Wine
// cannot wait for a Unix process, so the script leaves its exit status in
// |folder|; what it writes goes to the folder's file "host-output"). The
// exit status, or -1 when it did not end within |timeoutMs|.
int RunHostScript(const HostFolder& folder, const std::string& script, DWORD timeoutMs = 30000);

// A Unix path of this machine as Wine's Z: drive shows it.
std::wstring WindowsPathOf(const std::string& unixPath);

bool FileExists(const std::wstring& path);
// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);

}  // namespace qs_test
