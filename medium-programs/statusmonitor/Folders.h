#pragma once
// Paths and folders the installer and uninstaller work with.

#include <windows.h>

#include <string>
#include <vector>

namespace folders {

// The running program's file and the folder it lies in.
std::wstring OwnFile();
std::wstring OwnFolder();

// The folder above |path| ("C:\a\b" -> "C:\a"); empty above a drive or share root.
std::wstring ParentOf(const std::wstring& path);

// The system's program files folders (the native one first, then the one for
// 32-bit programs where it differs).
std::vector<std::wstring> ProgramFilesFolders();

// Paths compared case-insensitively, trailing backslashes ignored.
bool SamePath(const std::wstring& a, const std::wstring& b);
// True when |path| lies below |folder| (not |folder| itself).
bool IsBelow(const std::wstring& path, const std::wstring& folder);

// Creates |folder| and the parents it needs. False, with the system's error
// and the folder that could not be made, on failure.
bool CreateTree(const std::wstring& folder, DWORD& error, std::wstring& failed);

bool IsEmptyFolder(const std::wstring& folder);
// The names in |folder| other than "." and "..".
std::vector<std::wstring> NamesIn(const std::wstring& folder);

}  // namespace folders
