#pragma once
// Finding a component's installer below its directory on the medium: a
// setup program, or an INF file of the component's class, in the first of a
// fixed order of sub-directories for the running system and language.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CConfigReader;

// What a search found.
struct TARGET_INFO {
    // Kinds of targets.
    static constexpr std::uint32_t kNothing = 0;
    static constexpr std::uint32_t kPrinterInf = 3;
    static constexpr std::uint32_t kScannerInf = 4;
    static constexpr std::uint32_t kOtherInf = 5;
    static constexpr std::uint32_t kSetupProgram = 6;

    std::wstring target;     // the path, upper-cased, the medium's directory as "$SRC_DIR$" (1023 characters at most)
    std::wstring directory;  // the directory of the path as the file system spells it
    std::wstring name;       // a printer or scanner INF's driver name
    std::uint32_t kind = kNothing;
};

class CCollector {
public:
    // File kinds of FindFile.
    static constexpr std::uint32_t kFileInf = 1;
    static constexpr std::uint32_t kFileSetupProgram = 2;

    // |data| gives the "<OS define>_DIR" sections; |sourceDirectory| is the medium's.
    CCollector(const CConfigReader& data, std::wstring sourceDirectory);

    // Searches |directory|, then its sub-directories for the system
    // (<directory>\<name>, then the language directory and English, in the
    // documented order). |osCode| 0 means the running system (its code and
    // bitness); another code searches for that system family.
    bool FindTarget(const std::wstring& directory, const std::wstring& infClass, const std::wstring& languageDirectory,
                    const std::wstring& osDefine, TARGET_INFO& target, std::uint32_t osCode = 0,
                    bool is64Bit = false) const;
    // One directory.
    bool SearchTarget(const std::wstring& directory, const std::wstring& infClass, TARGET_INFO& target) const;
    // setup.exe in |directory|, else its first INF (of |infClass| when given):
    // 0 found, 2 nothing, 87 bad arguments, 122 a path longer than |size| - 1, 1 a fault.
    DWORD FindFile(const std::wstring& directory, const std::wstring& infClass, std::wstring& path,
                   std::size_t size, std::uint32_t& fileKind) const;
    // The target kind of an INF (0, 3, 4 or 5), with a printer's or scanner's driver name.
    std::uint32_t GetInfInfo(const std::wstring& infPath, std::wstring& name) const;
    static bool IsValidDirectory(const std::wstring& path);

    // The built-in sub-directory names for a system code and bitness.
    static std::vector<std::wstring> SystemDirectoryNames(std::uint32_t osCode, bool is64Bit);

private:
    const CConfigReader& data_;
    std::wstring sourceDirectory_;
};
