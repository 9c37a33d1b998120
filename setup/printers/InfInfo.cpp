#include "InfInfo.h"

#include <cwchar>

#include "FaultGuard.h"
#include "GuardedText.h"
#include "Log.h"
#include "TextNoCase.h"
#include "Utl.h"

using printers::CopyGuardedText;
using printers::SameTextNoCase;
using printers::TextCopy;

namespace {

// Room for a path the caller hands in.
constexpr std::size_t kPathChars = 8192;
// Room for a section, key or driver name the caller hands in: anything longer
// than a field can never match one.
constexpr std::size_t kNameChars = 1024;

const wchar_t kVersionSection[] = L"Version";
const wchar_t kClassKey[] = L"Class";
const wchar_t kManufacturerSection[] = L"Manufacturer";
const wchar_t kPrinterClass[] = L"Printer";
const wchar_t kImageClass[] = L"Image";

// |text| cut to |capacity| - 1 characters.
void CopyCut(wchar_t* output, std::size_t capacity, const wchar_t* text) {
    std::size_t length = std::wcslen(text);
    if (length > capacity - 1) length = capacity - 1;
    std::wmemcpy(output, text, length);
    output[length] = L'\0';
}

template <std::size_t N>
void CopyCut(wchar_t (&output)[N], const wchar_t* text) {
    CopyCut(output, N, text);
}

// A caller's text for the body of an operation: null stays null.
const wchar_t* Argument(TextCopy copy, const wchar_t* buffer) { return copy == TextCopy::kNull ? nullptr : buffer; }

bool IsEmpty(const wchar_t* text) { return text == nullptr || *text == L'\0'; }

}  // namespace

CInfInfo::CInfInfo() {
    className_[0] = driverName_[0] = manufacturer_[0] = modelSection_[0] = L'\0';
    Reset();
}

CInfInfo::~CInfInfo() { CloseInf(); }

void CInfInfo::CloseInf() {
    if (IsValid(inf_)) SetupCloseInfFile(inf_);
    inf_ = INVALID_HANDLE_VALUE;
}

void CInfInfo::Reset() {
    std::wmemset(className_, L'\0', kTextChars);
    std::wmemset(driverName_, L'\0', kTextChars);
    std::wmemset(manufacturer_, L'\0', kTextChars);
    std::wmemset(modelSection_, L'\0', kTextChars);
    driverIndex_ = 0;
    uniDrv_ = false;
    CloseInf();
}

// ---- Guarded operations -------------------------------------------------------

bool CInfInfo::Init(const wchar_t* infPath, int driverIndex, const wchar_t* driverName) {
    wchar_t path[kPathChars];
    wchar_t name[kNameChars];
    const TextCopy pathCopy = CopyGuardedText(infPath, path);
    const TextCopy nameCopy = CopyGuardedText(driverName, name);
    bool result = false;
    if (pathCopy == TextCopy::kFault || nameCopy == TextCopy::kFault ||
        !GuardedCall([&] { result = DoInit(Argument(pathCopy, path), driverIndex, Argument(nameCopy, name)); })) {
        GlobalLog().Print(L"GPF in  CInfInfo::Init(%ls)", path);
        return false;
    }
    return result;
}

bool CInfInfo::GetClass(const wchar_t* infPath, wchar_t* className, std::size_t capacity) const {
    wchar_t path[kPathChars];
    const TextCopy pathCopy = CopyGuardedText(infPath, path);
    bool result = false;
    if (pathCopy == TextCopy::kFault ||
        !GuardedCall([&] { result = DoGetClass(Argument(pathCopy, path), className, capacity); })) {
        GlobalLog().Print(L"GPF in  CInfInfo::GetClass()");
        return false;
    }
    return result;
}

bool CInfInfo::GetInfo(HINF inf, int driverIndex, const wchar_t* driverName) {
    wchar_t name[kNameChars];
    const TextCopy nameCopy = CopyGuardedText(driverName, name);
    bool result = false;
    if (nameCopy == TextCopy::kFault ||
        !GuardedCall([&] { result = DoGetInfo(inf, driverIndex, Argument(nameCopy, name)); })) {
        GlobalLog().Print(L"GPF in  CInfInfo::GetInfo()");
        return false;
    }
    return result;
}

bool CInfInfo::CheckSection(HINF inf, const wchar_t* section) const {
    wchar_t name[kNameChars];
    const TextCopy sectionCopy = CopyGuardedText(section, name);
    bool result = false;
    if (sectionCopy == TextCopy::kFault ||
        !GuardedCall([&] { result = DoCheckSection(inf, Argument(sectionCopy, name)); })) {
        GlobalLog().Print(L"GPF in  CInfInfo::CheckSection(%ls)", name);
        return false;
    }
    return result;
}

bool CInfInfo::GetString(HINF inf, const wchar_t* section, int line, int field, wchar_t* output,
                         DWORD capacity) const {
    wchar_t name[kNameChars];
    const TextCopy sectionCopy = CopyGuardedText(section, name);
    bool result = false;
    if (sectionCopy == TextCopy::kFault ||
        !GuardedCall([&] { result = DoGetString(inf, Argument(sectionCopy, name), line, field, output, capacity); })) {
        GlobalLog().Print(L"GPF in  CInfInfo::GetString(%ls,%d,%d)", name, line, field);
        return false;
    }
    return result;
}

bool CInfInfo::GetString(HINF inf, const wchar_t* section, const wchar_t* key, wchar_t* output,
                         DWORD capacity) const {
    wchar_t name[kNameChars];
    wchar_t keyName[kNameChars];
    const TextCopy sectionCopy = CopyGuardedText(section, name);
    const TextCopy keyCopy = CopyGuardedText(key, keyName);
    bool result = false;
    if (sectionCopy == TextCopy::kFault || keyCopy == TextCopy::kFault || !GuardedCall([&] {
            result = DoGetString(inf, Argument(sectionCopy, name), Argument(keyCopy, keyName), output, capacity);
        })) {
        GlobalLog().Print(L"GPF in  CInfInfo::GetString(%ls,%ls)", name, keyName);
        return false;
    }
    return result;
}

bool CInfInfo::CheckDriverNameAndIndex(HINF inf, const wchar_t* modelSection, int driverIndex,
                                       const wchar_t* driverName) {
    wchar_t section[kNameChars];
    wchar_t name[kNameChars];
    const TextCopy sectionCopy = CopyGuardedText(modelSection, section);
    const TextCopy nameCopy = CopyGuardedText(driverName, name);
    bool result = false;
    if (sectionCopy == TextCopy::kFault || nameCopy == TextCopy::kFault || !GuardedCall([&] {
            result = DoCheckDriverNameAndIndex(inf, Argument(sectionCopy, section), driverIndex,
                                               Argument(nameCopy, name));
        })) {
        GlobalLog().Print(L"GPF in  CInfInfo::CheckDriverNameAndIndex()");
        return false;
    }
    return result;
}

bool CInfInfo::CheckUniDrv(HINF inf) {
    bool result = false;
    if (!GuardedCall([&] { result = DoCheckUniDrv(inf); })) {
        GlobalLog().Print(L"GPF in  CInfInfo::CheckUniDrv()");
        return false;
    }
    return result;
}

int CInfInfo::GetDriverIndex(const wchar_t* driverName) const {
    wchar_t name[kNameChars];
    const TextCopy nameCopy = CopyGuardedText(driverName, name);
    int result = -1;
    if (nameCopy == TextCopy::kFault || !GuardedCall([&] { result = DoGetDriverIndex(Argument(nameCopy, name)); })) {
        GlobalLog().Print(L"GPF in  CInfInfo::GetDriverIndex()");
        return -1;
    }
    return result;
}

bool CInfInfo::GetDriverNameByIndex(int index, wchar_t* output, std::size_t capacity) const {
    bool result = false;
    if (!GuardedCall([&] { result = DoGetDriverNameByIndex(index, output, capacity); })) {
        GlobalLog().Print(L"GPF in  CInfInfo::GetDriverIndex()");
        return false;
    }
    return result;
}

// ---- Bodies -------------------------------------------------------------------------

bool CInfInfo::DoInit(const wchar_t* infPath, int driverIndex, const wchar_t* driverName) {
    if (IsEmpty(infPath)) return false;
    className_[0] = L'\0';
    GlobalLog().Print(L"Load Inf ");
    if (!GetClass(infPath, className_, kTextChars)) {
        GlobalLog().Print(L"Get Inf Class Name fail!! ");
        return false;
    }
    GlobalLog().Print(L"Get Inf Class Name is : %ls", className_);
    if (!SameTextNoCase(className_, kPrinterClass) && !SameTextNoCase(className_, kImageClass)) {
        GlobalLog().Print(L"Get Inf Class Name is not printer and image : %ls", className_);
        return true;
    }
    const HINF inf = SetupOpenInfFileW(infPath, className_, INF_STYLE_WIN4, nullptr);
    if (!IsValid(inf)) {
        GlobalLog().PrintError(GetLastError(), L"SetupOpenInfFile fail!!");
        return false;
    }
    CloseInf();  // an earlier Init's INF, when there was no Reset between
    inf_ = inf;
    return GetInfo(inf_, driverIndex, driverName);
}

bool CInfInfo::DoGetClass(const wchar_t* infPath, wchar_t* className, std::size_t capacity) const {
    if (IsEmpty(infPath) || className == nullptr || capacity == 0) return false;
    const HINF inf = SetupOpenInfFileW(infPath, nullptr, INF_STYLE_WIN4, nullptr);
    if (!IsValid(inf)) {
        GlobalLog().PrintError(GetLastError(), L"SetupOpenInfFile(%ls)", infPath);
        return false;
    }
    wchar_t text[kTextChars] = {};
    const bool read = GetString(inf, kVersionSection, kClassKey, text, kTextChars);
    SetupCloseInfFile(inf);
    // The class and its terminator must both fit.
    if (!read || std::wcslen(text) >= capacity) return false;
    std::wcscpy(className, text);
    return true;
}

bool CInfInfo::DoGetInfo(HINF inf, int driverIndex, const wchar_t* driverName) {
    if (!IsValid(inf)) return false;
    wchar_t manufacturer[kTextChars] = {};
    if (!GetString(inf, kManufacturerSection, 0, 0, manufacturer, kTextChars)) {
        GlobalLog().Print(L"Get Maufacturer fail!!");
        return false;
    }
    CopyCut(manufacturer_, manufacturer);
    GlobalLog().Print(L"Maufacturer : %ls", manufacturer_);

    wchar_t section[kTextChars] = {};
    wchar_t decoration[kTextChars] = {};
    // A line without a models section ("Quorvel" or "Quorvel=") names the
    // manufacturer's own section.
    if (GetString(inf, kManufacturerSection, 0, 1, section, kTextChars) && section[0] != L'\0') {
        GetString(inf, kManufacturerSection, 0, 2, decoration, kTextChars);
    } else {
        CopyCut(section, manufacturer_);
        decoration[0] = L'\0';
    }
    GlobalLog().Print(L"Find Model Section [Deco]: %ls [%ls]", section, decoration);

    if (!CheckSection(inf, section)) {
        const std::size_t length = std::wcslen(section);
        const std::size_t decorationLength = std::wcslen(decoration);
        // A decorated name that does not fit a field cannot name a section.
        if (decorationLength == 0 || length + 1 + decorationLength >= kTextChars) {
            GlobalLog().Print(L"Find Model Section Fail!!");
            return false;
        }
        section[length] = L'.';
        std::wcscpy(section + length + 1, decoration);
        if (!CheckSection(inf, section)) {
            GlobalLog().Print(L"Find Model Section Fail!!");
            return false;
        }
    }
    CopyCut(modelSection_, section);
    GlobalLog().Print(L"Model Section: %ls", modelSection_);

    const bool result = CheckDriverNameAndIndex(inf, modelSection_, driverIndex, driverName);
    // Only a driver that was found can build on the universal driver.
    if (result && SameTextNoCase(className_, kPrinterClass) && CheckUniDrv(inf)) uniDrv_ = true;
    return result;
}

bool CInfInfo::DoCheckSection(HINF inf, const wchar_t* section) const {
    if (!IsValid(inf) || IsEmpty(section)) return false;
    return SetupGetLineCountW(inf, section) > 0;
}

bool CInfInfo::DoGetString(HINF inf, const wchar_t* section, int line, int field, wchar_t* output,
                           DWORD capacity) const {
    if (!IsValid(inf) || section == nullptr || line < 0 || field < 0) return false;
    INFCONTEXT context = {};
    if (!SetupGetLineByIndexW(inf, section, static_cast<DWORD>(line), &context)) return false;
    return SetupGetStringFieldW(&context, static_cast<DWORD>(field), output, capacity, nullptr) != FALSE;
}

bool CInfInfo::DoGetString(HINF inf, const wchar_t* section, const wchar_t* key, wchar_t* output,
                           DWORD capacity) const {
    if (!IsValid(inf) || section == nullptr || key == nullptr) return false;
    return SetupGetLineTextW(nullptr, inf, section, key, output, capacity, nullptr) != FALSE;
}

bool CInfInfo::DoCheckDriverNameAndIndex(HINF inf, const wchar_t* modelSection, int driverIndex,
                                         const wchar_t* driverName) {
    if (!IsValid(inf) || IsEmpty(modelSection)) return false;
    if (!IsEmpty(driverName)) {
        const LONG count = SetupGetLineCountW(inf, modelSection);
        for (LONG line = 0; line < count; ++line) {
            wchar_t model[kTextChars] = {};
            if (GetString(inf, modelSection, static_cast<int>(line), 0, model, kTextChars) &&
                SameTextNoCase(model, driverName)) {
                driverIndex_ = static_cast<int>(line);
                CopyCut(driverName_, driverName);
                return true;
            }
        }
        GlobalLog().Print(L"Can not find driver name in this inf [%ls]", driverName);
        return false;
    }
    const int index = driverIndex == -1 ? 0 : driverIndex;
    if (GetString(inf, modelSection, index, 0, driverName_, kTextChars)) {
        driverIndex_ = index;
        return true;
    }
    GlobalLog().Print(L"Can not find driver name using index [%d]", index);
    return false;
}

bool CInfInfo::DoCheckUniDrv(HINF inf) {
    if (!IsValid(inf)) return false;
    wchar_t installSection[kTextChars] = {};
    if (!GetString(inf, modelSection_, driverIndex_, 1, installSection, kTextChars) || installSection[0] == L'\0') {
        GlobalLog().Print(L"Can not find DDInstall Section using index [%d]", driverIndex_);
        return false;
    }
    wchar_t include[kTextChars] = {};
    if (!GetString(inf, installSection, L"Include", include, kTextChars)) return false;
    if (!CUtl::IsInCommaList(include, L"ntprint.inf", L",")) return false;
    wchar_t needs[kTextChars] = {};
    return GetString(inf, installSection, L"Needs", needs, kTextChars) && needs[0] != L'\0';
}

int CInfInfo::DoGetDriverIndex(const wchar_t* driverName) const {
    if (!IsValid(inf_) || IsEmpty(driverName)) return -1;
    if (modelSection_[0] == L'\0') {
        GlobalLog().Print(L"GetDriverIndex (%ls) : Model Section was invalid!!", driverName);
        return -1;
    }
    const LONG count = SetupGetLineCountW(inf_, modelSection_);
    for (LONG line = 0; line < count; ++line) {
        wchar_t model[kTextChars] = {};
        if (GetString(inf_, modelSection_, static_cast<int>(line), 0, model, kTextChars) &&
            SameTextNoCase(model, driverName)) {
            return static_cast<int>(line);
        }
    }
    return -1;
}

bool CInfInfo::DoGetDriverNameByIndex(int index, wchar_t* output, std::size_t capacity) const {
    if (!IsValid(inf_) || index < 0 || output == nullptr || capacity == 0) return false;
    if (modelSection_[0] == L'\0') {
        GlobalLog().Print(L"GetDriverNameByIndex (%d) : Model Section was invalid!!", index);
        return false;
    }
    const LONG count = SetupGetLineCountW(inf_, modelSection_);
    GlobalLog().Print(L"GetDriverNameByIndex (%d) : Total Driver count is %d!!", index, static_cast<int>(count));
    wchar_t model[kTextChars] = {};
    if (index >= count || !GetString(inf_, modelSection_, index, 0, model, kTextChars)) return false;
    CopyCut(output, capacity, model);
    GlobalLog().Print(L"GetDriverNameByIndex (%d) : The driver is %ls", index, output);
    return true;
}

bool IsInfFile(const wchar_t* path) {
    wchar_t copy[kPathChars];
    const TextCopy pathCopy = CopyGuardedText(path, copy);
    if (pathCopy == TextCopy::kFault) {
        GlobalLog().Print(L"GPF in  IsInfFile()");
        return false;
    }
    if (copy[0] == L'\0') return false;
    const wchar_t* dot = std::wcsrchr(copy, L'.');
    return dot != nullptr && SameTextNoCase(dot + 1, L"inf");
}
