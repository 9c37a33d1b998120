#include "CopyFile.h"

#include "HistoryRemover.h"
#include "InstHistory.h"
#include "Log.h"
#include "Registry.h"
#include "ScopedHandle.h"

namespace {

bool IsDots(const wchar_t* name) {
    return (name[0] == L'.' && name[1] == L'\0') || (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

std::wstring ReadText(const std::wstring& key, const wchar_t* name) {
    wchar_t text[CRegistry::kTextChars] = {};
    if (CRegistry::GetValue(key.c_str(), name, text, HKEY_LOCAL_MACHINE) != ERROR_SUCCESS) return std::wstring();
    return text;
}

DWORD ReadNumber(const std::wstring& key, const wchar_t* name) {
    DWORD number = 0;
    if (CRegistry::GetValue(key.c_str(), name, &number, HKEY_LOCAL_MACHINE) != ERROR_SUCCESS) return 0;
    return number;
}

}  // namespace

bool CCopyFile::LoadRecords(const wchar_t* recordsKey) {
    if (recordsKey == nullptr || *recordsKey == L'\0') return false;
    CRegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, recordsKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return false;
    recordsKey_ = recordsKey;

    DWORD subKeys = 0;
    if (RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        subKeys = 0;
    for (DWORD index = 0; index < subKeys; ++index) {
        wchar_t name[CRegistry::kNameChars + 1] = {};
        DWORD nameChars = CRegistry::kNameChars + 1;
        if (RegEnumKeyExW(key.Get(), index, name, &nameChars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        AddRecord(recordsKey_ + L"\\" + name);
    }
    return true;
}

void CCopyFile::AddRecord(const std::wstring& recordKey) {
    const std::wstring source = ReadText(recordKey, L"Src");
    const std::wstring destination = ReadText(recordKey, L"Dest");
    const std::wstring description = ReadText(recordKey, L"Description");
    const bool withSubDirs = ReadNumber(recordKey, L"CopySubDir") != 0;
    const bool record = ReadNumber(recordKey, L"Delete") != 0;

    if (source.empty()) return;
    const DWORD attributes = GetFileAttributesW(source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        AddDirectory(source, destination, description, withSubDirs, record);
    else
        AddEntry(source, destination, description, record);
}

void CCopyFile::AddDirectory(const std::wstring& sourceDir, const std::wstring& destinationDir,
                             const std::wstring& description, bool withSubDirs, bool record) {
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW((sourceDir + L"\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (IsDots(found.cFileName)) continue;
        const std::wstring from = sourceDir + L"\\" + found.cFileName;
        const std::wstring to = destinationDir + L"\\" + found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            if (withSubDirs) AddDirectory(from, to, description, withSubDirs, record);
        } else {
            AddEntry(from, to, description, record);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void CCopyFile::AddEntry(const std::wstring& source, const std::wstring& destination,
                         const std::wstring& description, bool record) {
    // A copy needs both ends; a record without a destination adds nothing.
    if (source.empty() || destination.empty()) return;
    auto entry = std::make_unique<CopyFileEntry>();
    entry->source = source;
    entry->destination = destination;
    entry->description = description;
    entry->record = record;
    entries_.push_back(std::move(entry));
}

const CopyFileEntry* CCopyFile::Entry(int index) const {
    if (index < 0 || index >= GetEntryCount()) return nullptr;
    return entries_[static_cast<std::size_t>(index)].get();
}

std::wstring CCopyFile::GetEntryDest(int index) const {
    const CopyFileEntry* entry = Entry(index);
    return entry != nullptr ? entry->destination : std::wstring();
}

std::wstring CCopyFile::GetEntryDescription(int index) const {
    const CopyFileEntry* entry = Entry(index);
    return entry != nullptr ? entry->description : std::wstring();
}

CopyOutcome CCopyFile::CopyEntryOutcome(int index) {
    const CopyFileEntry* entry = Entry(index);
    if (entry == nullptr) return CopyOutcome::kFailed;
    return CopySingleFileOutcome(entry->source.c_str(), entry->destination.c_str(), entry->record);
}

bool CCopyFile::CopyEntry(int index) { return CopyEntryOutcome(index) != CopyOutcome::kFailed; }

CopyOutcome CCopyFile::CopyAll(const wchar_t* recordsKey) {
    if (!LoadRecords(recordsKey)) {
        GlobalLog().Print(L"Copy file Initial fail!!");
        return CopyOutcome::kFailed;
    }
    bool failed = false;
    bool atRestart = false;
    for (int index = 0; index < GetEntryCount(); ++index) {
        const CopyOutcome outcome = CopyEntryOutcome(index);
        failed = failed || outcome == CopyOutcome::kFailed;
        atRestart = atRestart || outcome == CopyOutcome::kReplacedAtRestart;
    }
    if (failed) return CopyOutcome::kFailed;
    return atRestart ? CopyOutcome::kReplacedAtRestart : CopyOutcome::kCopied;
}

bool CCopyFile::DeleteEntryTarget(int index) {
    const CopyFileEntry* entry = Entry(index);
    return entry != nullptr && DeleteSingleFile(entry->destination.c_str());
}

bool CCopyFile::UndoInstallingHistory() {
    const std::wstring key = CInstHistory::DefaultKey();
    CHistoryRemover remover;
    return remover.RemoveRecorded(key.c_str(), false) == ERROR_SUCCESS;
}
