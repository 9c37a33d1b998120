#pragma once
// Removing a directory with everything in it, and then the parents it leaves
// empty, up to the first folder the system keeps.

#include <string>

class CShellFolders;

// True for a full path: "X:\..." or "\\server\share\...".
bool IsFullPath(const std::wstring& path);

// Removes |directory| and everything under it; read-only files too. Linked
// folders (reparse points) are removed without touching what they point to.
// True when the directory is gone afterwards (also when it was not there).
// |failed| receives the first path that could not be removed.
bool RemoveTree(const std::wstring& directory, std::wstring& failed);

// Removes the empty parents of |directory|, nearest first, and stops at the
// first one that is kept, not empty or cannot be removed.
void RemoveEmptyParents(const std::wstring& directory, const CShellFolders& kept);
