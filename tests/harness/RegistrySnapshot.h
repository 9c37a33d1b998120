#pragma once
// Registry snapshots taken with "reg export", and what changed between two.

#include <map>
#include <string>
#include <vector>

namespace qs_test {

class RegistrySnapshot {
public:
    // Everything under |key| (e.g. L"HKLM\\Software\\Quorvel"); empty when the key is missing.
    static RegistrySnapshot Take(const std::wstring& key);

    // Parses the text of a .reg export.
    static RegistrySnapshot Parse(const std::wstring& text);

    // Keys may be named with the short root names (HKLM, HKCU, ...).
    bool HasKey(const std::wstring& key) const;
    // The value's data as exported ("\"text\"", "dword:00000001", ...); empty when missing.
    std::wstring Value(const std::wstring& key, const std::wstring& name) const;
    std::size_t KeyCount() const { return keys_.size(); }

    // Lines "+ [key]", "- [key]", "+ [key] name=data", "- [key] name=data" and
    // "~ [key] name=old -> new", sorted; key names compare without case.
    static std::vector<std::wstring> Diff(const RegistrySnapshot& before, const RegistrySnapshot& after);

private:
    std::map<std::wstring, std::map<std::wstring, std::wstring>> keys_;  // upper-cased key -> name -> data
    std::map<std::wstring, std::wstring> spelling_;                      // upper-cased key -> key as exported
};

}  // namespace qs_test
