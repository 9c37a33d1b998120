#pragma once
// The one platform call that removes a registry key, behind a seam: Wine does
// not enforce delete rights on keys, so the access-denied answer that Windows
// gives for a protected key can only be seen through a deleter that a test
// puts in place.

#include <windows.h>

class CRegistryKeyDeleter {
public:
    virtual ~CRegistryKeyDeleter() = default;
    // RegDeleteKeyW: the key must have no sub-keys. Returns the system's code.
    virtual LSTATUS Delete(HKEY root, const wchar_t* keyPath);
};

// The deleter in use: the platform's, until another is set. Not owned;
// nullptr sets the platform's again.
CRegistryKeyDeleter& RegistryKeyDeleter();
void SetRegistryKeyDeleter(CRegistryKeyDeleter* deleter);
