#pragma once
// The folders that removing emptied folders must keep: the system's shell
// folders where shortcuts live (the user's and the public desktop, Start menu,
// Programs and Startup), the system's own folders a product's folders sit in
// (program files, Windows, system, the profile, Documents, application data,
// the temporary folder), every folder above them, and drive roots. An empty
// public desktop is common, and removing it would take the desktop away from
// every user.

#include <string>
#include <vector>

class CShellFolders {
public:
    // The running system's folders.
    CShellFolders();
    // The given folders instead.
    explicit CShellFolders(std::vector<std::wstring> folders);

    // True for a drive root ("C:", "C:\", "\\server\share"), one of the shell
    // folders, or a folder that holds one of them at any depth. Case and a
    // trailing backslash do not matter.
    bool IsKept(const std::wstring& folder) const;

    const std::vector<std::wstring>& Folders() const { return folders_; }

    // |path| up to its last backslash (no backslash: empty).
    static std::wstring ParentOf(const std::wstring& path);
    static bool IsRoot(const std::wstring& folder);

private:
    std::vector<std::wstring> folders_;  // full, long, without trailing backslash
};
