#pragma once
// Every registry access of setup: read and write texts and numbers, delete
// values and keys, copy keys, and save a key tree to a registry file or load
// one back (RegistryFile.h has the file's format).
//
// A key is named by one of the platform's predefined roots and a path of
// sub-keys separated by backslashes ("Software\\Maker\\Program"). One trailing
// backslash is allowed; a path with an empty part (a leading backslash, two
// backslashes in a row) is a bad argument. Keys are opened in the process's
// own view of the registry.
//
// Results are Win32 error numbers: 0 success, 13 data that cannot be used,
// 50 not supported, 87 bad argument, 122 the caller's limit is too small, and
// the system's codes as they come. Nothing is logged. Keys are always closed
// before an operation returns.

#include <windows.h>

#include <string>

class CAPIFunction;

class CRegistry {
public:
    // A value is read into this many bytes.
    static constexpr DWORD kValueBytes = 4096;
    // A text value is read with room for its terminating NUL: up to
    // kValueBytes of text. Without a size limit the caller's buffer must hold
    // kTextChars characters.
    static constexpr DWORD kTextBytes = kValueBytes + sizeof(wchar_t);
    static constexpr DWORD kTextChars = kTextBytes / sizeof(wchar_t);
    // Room for names of keys and values while enumerating them.
    static constexpr DWORD kNameChars = 260;
    static constexpr DWORD kNoLimit = static_cast<DWORD>(-1);

    virtual ~CRegistry() = default;

    // Reads a text value (registry string type; anything else: 87). |sizeLimit|
    // is the size of |text| in bytes, or kNoLimit for a buffer of kTextChars
    // characters; when the value with its terminating NUL needs more: 122.
    static DWORD GetValue(const wchar_t* keyPath, const wchar_t* name, wchar_t* text, HKEY root,
                          DWORD sizeLimit = kNoLimit);
    // Reads a 32-bit number (anything else: 87). |sizeLimit| has no effect.
    static DWORD GetValue(const wchar_t* keyPath, const wchar_t* name, DWORD* number, HKEY root,
                          DWORD sizeLimit = kNoLimit);
    // Creates the key when needed and writes the text with its terminating NUL.
    // An empty name (the key's default value) is a bad argument; an empty text is not.
    static DWORD SetValue(const wchar_t* keyPath, const wchar_t* name, const wchar_t* text, HKEY root);
    // Creates the key when needed and writes a 32-bit number. (Pass numbers as
    // DWORD: a literal 0 would also convert to a text pointer.)
    static DWORD SetValue(const wchar_t* keyPath, const wchar_t* name, DWORD number, HKEY root);
    static DWORD DeleteValue(const wchar_t* keyPath, const wchar_t* name, HKEY root);

    // With |onlyThisKey| the key alone goes (the platform refuses a key that
    // has sub-keys). Otherwise the key goes with everything under it, and then
    // each parent left with neither sub-keys nor values, up to (not including)
    // the key directly under the root. A parent the system owns always stays:
    // a root's Software and System keys and anything under Software\Microsoft,
    // Software\Classes, Software\Wow6432Node\Microsoft,
    // Software\Wow6432Node\Classes or System. A delete refused for want of
    // rights is tried once more after the key has been opened to everyone.
    static DWORD DeleteKey(const wchar_t* keyPath, bool onlyThisKey, HKEY root);

    // Copies the values of |source| (with |withSubKeys| also its sub-keys,
    // depth first) to |target|, creating the target keys. Texts and numbers
    // are copied, other types skipped; a value with an empty name cannot be
    // written and ends the copy with 87, as does a target inside the source.
    static DWORD CopyKey(const wchar_t* source, const wchar_t* target, bool withSubKeys, HKEY sourceRoot,
                         HKEY targetRoot);

    // Writes the key's tree to |fileName|, which must not exist yet (else the
    // system's error, e.g. 80). A key or value that the format cannot hold is
    // left out and the result is 13 (see RegistryFile.h). A root without a name
    // in the format (HKEY_USERS) gives 87.
    static DWORD SaveToFile(const wchar_t* keyPath, const wchar_t* fileName, HKEY root);
    // Writes every section of a registry file to the registry. Every line is
    // handled; the result is the first error met (13 for a line of unknown
    // type), or 0.
    static DWORD LoadFromFile(const wchar_t* fileName);

protected:
    static DWORD DeleteSubKey(const wchar_t* keyPath, HKEY root);
    static DWORD DeleteEmptyParent(const wchar_t* keyPath, HKEY root);
    // Gives everyone full access to the key, inherited by its sub-keys, with
    // the security functions of a table loaded for this call; 50 when the
    // system lacks them.
    static DWORD SetDaclPermission(const wchar_t* keyPath, HKEY root);
    static DWORD SetDaclPermission(const wchar_t* keyPath, HKEY root, const CAPIFunction& api);
    static DWORD CopyValue(const wchar_t* source, const wchar_t* target, HKEY sourceRoot, HKEY targetRoot);

    // The path without its one allowed trailing backslash; 87 for an absent
    // or empty path or one with an empty part.
    static DWORD CheckKeyPath(const wchar_t* keyPath, std::wstring& checked);
    // True for the keys an emptied-parent clean-up must leave alone.
    static bool IsSystemOwnedKey(HKEY root, const std::wstring& keyPath);

private:
    // Deletes one key; when refused with access denied, opens it to everyone
    // and, when that worked, tries once more.
    static DWORD DeleteOneKey(const std::wstring& keyPath, HKEY root);
    static DWORD CopyTree(const std::wstring& source, const std::wstring& target, bool withSubKeys,
                          HKEY sourceRoot, HKEY targetRoot);
};
