#include "PrinterInf.h"

#include <windows.h>
#include <setupapi.h>

#include <cwctype>

namespace installer {

namespace {

class CInfHandle {
public:
    explicit CInfHandle(const std::wstring& path)
        : handle_(SetupOpenInfFileW(path.c_str(), nullptr, INF_STYLE_WIN4, nullptr)) {}
    ~CInfHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) SetupCloseInfFile(handle_);
    }
    CInfHandle(const CInfHandle&) = delete;
    CInfHandle& operator=(const CInfHandle&) = delete;
    HINF Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HINF handle_;
};

std::wstring Field(INFCONTEXT* line, DWORD field) {
    wchar_t text[1024] = {};
    DWORD needed = 0;
    if (!SetupGetStringFieldW(line, field, text, 1024, &needed)) return std::wstring();
    return text;
}

bool SameNoCase(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

bool HasSection(HINF inf, const std::wstring& section) { return SetupGetLineCountW(inf, section.c_str()) >= 0; }

// The value of |key| in |section|: its fields joined by commas.
std::vector<std::wstring> Values(HINF inf, const std::wstring& section, const wchar_t* key) {
    std::vector<std::wstring> values;
    INFCONTEXT line = {};
    for (BOOL found = SetupFindFirstLineW(inf, section.c_str(), key, &line); found;
         found = SetupFindNextMatchLineW(&line, key, &line)) {
        const DWORD count = SetupGetFieldCount(&line);
        for (DWORD field = 1; field <= count; ++field) {
            const std::wstring value = Field(&line, field);
            if (!value.empty()) values.push_back(value);
        }
    }
    return values;
}

std::wstring FirstValue(HINF inf, const std::wstring& section, const wchar_t* key) {
    const std::vector<std::wstring> values = Values(inf, section, key);
    return values.empty() ? std::wstring() : values.front();
}

// The model sections of the INF, for this system, in [Manufacturer] order.
std::vector<std::wstring> ModelSections(HINF inf, bool system64) {
    std::vector<std::wstring> sections;
    INFCONTEXT line = {};
    for (BOOL found = SetupFindFirstLineW(inf, L"Manufacturer", nullptr, &line); found;
         found = SetupFindNextLine(&line, &line)) {
        const std::wstring base = Field(&line, 1);
        if (base.empty()) continue;
        std::wstring chosen;
        const DWORD count = SetupGetFieldCount(&line);
        for (const std::wstring& wanted : ModelDecorations(system64)) {
            for (DWORD field = 2; field <= count && chosen.empty(); ++field) {
                const std::wstring decoration = Field(&line, field);
                if (_wcsnicmp(decoration.c_str(), wanted.c_str(), wanted.size()) == 0 &&
                    HasSection(inf, base + L"." + decoration))
                    chosen = base + L"." + decoration;
            }
            if (!chosen.empty()) break;
        }
        if (chosen.empty() && HasSection(inf, base)) chosen = base;
        if (!chosen.empty()) sections.push_back(chosen);
    }
    return sections;
}

void AddCopyFiles(HINF inf, const std::wstring& list, std::vector<std::wstring>* files) {
    if (list.empty()) return;
    if (list[0] == L'@') {
        files->push_back(list.substr(1));
        return;
    }
    INFCONTEXT line = {};
    for (BOOL found = SetupFindFirstLineW(inf, list.c_str(), nullptr, &line); found;
         found = SetupFindNextLine(&line, &line)) {
        const std::wstring file = Field(&line, 1);
        if (!file.empty()) files->push_back(file);
    }
}

}  // namespace

bool SystemIs64Bit() {
    SYSTEM_INFO info = {};
    GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
           info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
}

std::vector<std::wstring> ModelDecorations(bool system64) {
    if (system64) return {L"NTamd64", L"NT"};
    return {L"NTx86", L"NT"};
}

std::wstring InfClass(const std::wstring& infPath) {
    const CInfHandle inf(infPath);
    if (!inf.Valid()) return std::wstring();
    return FirstValue(inf.Get(), L"Version", L"Class");
}

bool ReadInfModel(const std::wstring& infPath, const std::wstring& driverName, int index, bool system64,
                  INF_MODEL* model, std::wstring* error) {
    const CInfHandle inf(infPath);
    if (!inf.Valid()) {
        *error = L"cannot open the INF " + infPath;
        return false;
    }
    INF_MODEL read;
    read.infPath = infPath;
    const std::size_t slash = infPath.find_last_of(L'\\');
    read.infDirectory = slash == std::wstring::npos ? std::wstring(L".") : infPath.substr(0, slash);
    read.className = FirstValue(inf.Get(), L"Version", L"Class");
    for (const std::wstring& decoration : ModelDecorations(system64)) {
        if (read.catalogFile.empty()) read.catalogFile = FirstValue(inf.Get(), L"Version", (L"CatalogFile." + decoration).c_str());
    }
    if (read.catalogFile.empty()) read.catalogFile = FirstValue(inf.Get(), L"Version", L"CatalogFile");

    int position = 0;
    const int wantedIndex = index < 0 ? 0 : index;
    for (const std::wstring& section : ModelSections(inf.Get(), system64)) {
        INFCONTEXT line = {};
        for (BOOL found = SetupFindFirstLineW(inf.Get(), section.c_str(), nullptr, &line); found;
             found = SetupFindNextLine(&line, &line), ++position) {
            const std::wstring name = Field(&line, 0);
            const bool match = driverName.empty() ? position == wantedIndex : SameNoCase(name, driverName);
            if (match && read.driverName.empty()) {
                read.driverName = name;
                read.installSection = Field(&line, 1);
            }
        }
    }
    if (read.driverName.empty()) {
        *error = driverName.empty() ? L"no model number " + std::to_wstring(wantedIndex) + L" in " + infPath
                                    : L"no model \"" + driverName + L"\" in " + infPath;
        return false;
    }
    for (const std::wstring& decoration : ModelDecorations(system64)) {
        if (HasSection(inf.Get(), read.installSection + L"." + decoration)) {
            read.installSection += L"." + decoration;
            break;
        }
    }
    if (!HasSection(inf.Get(), read.installSection)) {
        *error = L"no install section [" + read.installSection + L"] in " + infPath;
        return false;
    }
    const HINF h = inf.Get();
    read.dataFile = FirstValue(h, read.installSection, L"DataFile");
    read.driverFile = FirstValue(h, read.installSection, L"DriverFile");
    read.configFile = FirstValue(h, read.installSection, L"ConfigFile");
    read.helpFile = FirstValue(h, read.installSection, L"HelpFile");
    read.needs = Values(h, read.installSection, L"Needs");
    for (const std::wstring& list : Values(h, read.installSection, L"CopyFiles")) AddCopyFiles(h, list, &read.copyFiles);
    *model = read;
    return true;
}

}  // namespace installer
