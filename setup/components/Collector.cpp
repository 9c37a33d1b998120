#include "Collector.h"

#include <algorithm>

#include "ConfigReader.h"
#include "Guarded.h"
#include "InfInfo.h"
#include "Log.h"
#include "OsVersion.h"
#include "ProfileText.h"
#include "SystemBitness.h"

namespace {

constexpr std::size_t kTargetChars = 1024;

std::wstring WithoutTrailingBackslash(std::wstring path) {
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

bool CanOpenForReading(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace

CCollector::CCollector(const CConfigReader& data, std::wstring sourceDirectory)
    : data_(data), sourceDirectory_(std::move(sourceDirectory)) {}

std::vector<std::wstring> CCollector::SystemDirectoryNames(std::uint32_t osCode, bool is64Bit) {
    using namespace os_class;
    if (is64Bit) {
        if (osCode == kWinXp || osCode == kWinServer2003)
            return {L"WinXP_VISTA_64", L"WINXP_64", L"WinXP_VISTA", L"WINXP"};
        if (osCode == kWinVista || osCode == kWinServer2008) return {L"WinXP_VISTA_64", L"VISTA_64", L"VISTA"};
        return {};
    }
    switch (osCode) {
        case kWin95:
        case kWin95Osr2:
            return {L"WIN98ME", L"WIN9X", L"WIN95"};
        case kWin98:
        case kWin98Se:
            return {L"WIN98ME", L"WIN9X", L"WIN98"};
        case kWinMe:
            return {L"WIN98ME", L"WIN9X", L"WINME"};
        case kWinNt4:
            return {L"WINNT", L"WINNT40"};
        case kWin2000:
            return {L"WinXP_2000_VISTA_32", L"WinXP_2000_VISTA", L"WINXP2K", L"WIN2KXP", L"WIN2000"};
        case kWinXp:
        case kWinServer2003:
            return {L"WinXP_2000_VISTA_32", L"WinXP_2000_VISTA", L"WINXP2K", L"WIN2KXP", L"WINXP"};
        case kWinVista:
        case kWinServer2008:
            return {L"VISTA", L"WinXP_2000_VISTA_32", L"WinXP_2000_VISTA"};
        default:
            return {};
    }
}

bool CCollector::FindTarget(const std::wstring& directory, const std::wstring& infClass,
                            const std::wstring& languageDirectory, const std::wstring& osDefine,
                            TARGET_INFO& target, std::uint32_t osCode, bool is64Bit) const {
    if (directory.empty()) return false;
    if (!IsValidDirectory(directory)) {
        GlobalLog().Print(L"[%ls] directory is not available!!!!", directory.c_str());
        return false;
    }
    return GuardedOperation(
        false,
        [&]() {
            std::vector<std::wstring> names;
            if (!osDefine.empty()) {
                std::vector<std::wstring> lines;
                if (data_.GetAllEntries((osDefine + L"_DIR").c_str(), lines, true)) names = lines;
            }
            std::uint32_t code = osCode;
            bool wide = is64Bit;
            if (code == 0) {
                std::uint32_t family = 0;
                GetOSVersionClass(code, family);
                wide = Is64BitWindows();
            }
            for (const std::wstring& name : SystemDirectoryNames(code, wide)) names.push_back(name);
            names.erase(std::remove_if(names.begin(), names.end(),
                                       [](const std::wstring& name) { return name.empty(); }),
                        names.end());

            const std::wstring base = WithoutTrailingBackslash(directory);
            const bool language = !languageDirectory.empty();
            const bool english = language && !profile_text::EqualsNoCase(languageDirectory, L"English");
            std::vector<std::wstring> places{base};
            for (const std::wstring& name : names) places.push_back(base + L"\\" + name);
            if (language) places.push_back(base + L"\\" + languageDirectory);
            if (english) places.push_back(base + L"\\English");
            if (language)
                for (const std::wstring& name : names) places.push_back(base + L"\\" + name + L"\\" + languageDirectory);
            if (english)
                for (const std::wstring& name : names) places.push_back(base + L"\\" + name + L"\\English");
            if (language)
                for (const std::wstring& name : names) places.push_back(base + L"\\" + languageDirectory + L"\\" + name);
            if (english)
                for (const std::wstring& name : names) places.push_back(base + L"\\English\\" + name);

            for (const std::wstring& place : places) {
                if (SearchTarget(place, infClass, target)) return true;
            }
            return false;
        },
        L"GPF in  CCollector::FindTarget()");
}

bool CCollector::SearchTarget(const std::wstring& directory, const std::wstring& infClass,
                              TARGET_INFO& target) const {
    return GuardedOperation(
        false,
        [&]() {
            GlobalLog().Print(L"Search Target [%ls]", directory.c_str());
            std::wstring path;
            std::uint32_t fileKind = 0;
            if (FindFile(directory, infClass, path, kTargetChars, fileKind) != ERROR_SUCCESS) return false;
            std::wstring upper = profile_text::FoldedUpper(path);
            const std::wstring source = profile_text::FoldedUpper(sourceDirectory_);
            if (!source.empty()) profile_text::ReplaceAll(upper, source, L"$SRC_DIR$");
            target.target = upper.substr(0, kTargetChars - 1);
            const std::size_t slash = path.find_last_of(L'\\');
            target.directory = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
            target.name.clear();
            target.kind = fileKind == kFileInf ? GetInfInfo(path, target.name) : TARGET_INFO::kSetupProgram;
            return true;
        },
        L"GPF in  CCollector::SearchTarget(%ls)", directory.c_str());
}

DWORD CCollector::FindFile(const std::wstring& directory, const std::wstring& infClass, std::wstring& path,
                           std::size_t size, std::uint32_t& fileKind) const {
    if (directory.empty() || size == 0) return ERROR_INVALID_PARAMETER;
    return GuardedOperation(
        DWORD{1},
        [&]() -> DWORD {
            const std::wstring base = WithoutTrailingBackslash(directory);
            std::wstring found;
            const std::wstring setupProgram = base + L"\\setup.exe";
            if (CanOpenForReading(setupProgram)) {
                found = setupProgram;
                fileKind = kFileSetupProgram;
            } else {
                WIN32_FIND_DATAW entry = {};
                const HANDLE search = FindFirstFileW((base + L"\\*.inf").c_str(), &entry);
                if (search == INVALID_HANDLE_VALUE) return ERROR_FILE_NOT_FOUND;
                do {
                    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
                    const std::wstring candidate = base + L"\\" + entry.cFileName;
                    if (!infClass.empty()) {
                        CInfInfo inf;
                        inf.Reset();
                        inf.Init(candidate.c_str(), 0, nullptr);
                        if (!profile_text::EqualsNoCase(inf.GetInfClassName(), infClass)) continue;
                    }
                    found = candidate;
                    break;
                } while (FindNextFileW(search, &entry));
                FindClose(search);
                if (found.empty()) return ERROR_FILE_NOT_FOUND;
                fileKind = kFileInf;
            }
            if (found.size() > size - 1) return ERROR_INSUFFICIENT_BUFFER;
            path = found;
            return ERROR_SUCCESS;
        },
        L"GPF in  CCollector::FindFile(%ls)", directory.c_str());
}

std::uint32_t CCollector::GetInfInfo(const std::wstring& infPath, std::wstring& name) const {
    return GuardedOperation(
        std::uint32_t{0},
        [&]() -> std::uint32_t {
            CInfInfo inf;
            inf.Reset();
            inf.Init(infPath.c_str(), 0, nullptr);
            const std::wstring infClass = inf.GetInfClassName();
            if (infClass.empty()) return TARGET_INFO::kNothing;
            const bool printer = profile_text::EqualsNoCase(infClass, L"Printer");
            if (printer || profile_text::EqualsNoCase(infClass, L"Image")) {
                name = inf.GetDriverName();
                return printer ? TARGET_INFO::kPrinterInf : TARGET_INFO::kScannerInf;
            }
            return TARGET_INFO::kOtherInf;
        },
        L"GPF in  CCollector::GetInfInfo(%ls)", infPath.c_str());
}

bool CCollector::IsValidDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
