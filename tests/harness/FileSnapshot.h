#pragma once
// The files under a folder with their sizes, and what changed between two lists.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qs_test {

class FileSnapshot {
public:
    static FileSnapshot Take(const std::wstring& folder);

    bool Has(const std::wstring& relativePath) const;
    std::size_t Count() const { return files_.size(); }

    // Lines "+ path", "- path" and "~ path" (size changed), sorted. Folders end with "\".
    static std::vector<std::wstring> Diff(const FileSnapshot& before, const FileSnapshot& after);

private:
    void Walk(const std::wstring& root, const std::wstring& relative);
    std::map<std::wstring, std::uint64_t> files_;  // upper-cased relative path -> size
};

}  // namespace qs_test
