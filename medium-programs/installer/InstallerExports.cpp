// The entry points setup binds from the installer library. Nothing is thrown
// out of them and nothing is shown: every step goes to the library's log.
#define SUPPORT_LIBRARY_IMPLEMENTATION
#include "SupportLibraryContract.h"

#include <exception>
#include <string>

#include "ComponentInstaller.h"
#include "InstallLog.h"
#include "PrinterDrivers.h"
#include "RecordKey.h"
#include "ShortcutRecord.h"

using namespace installer;

namespace {

std::wstring Text(LPCWSTR text) { return text != nullptr ? std::wstring(text) : std::wstring(); }

}  // namespace

extern "C" {

int WINAPI MyInstall(int reserved, LPCWSTR recordsRoot, LPCWSTR itemKey, int installed) {
    SetLogProgram(L"Vxrun");
    try {
        const std::wstring root = Text(recordsRoot);
        const std::wstring key = Text(itemKey);
        const DWORD setupType = CRecordKey(root).Number(L"Setup_Type", 1);
        const ComponentOperation operation = ChooseOperation(setupType, installed != 0);
        LogLine(L"MyInstall(%d,%ls,%ls,%d) Setup_Type %lu", reserved, root.c_str(), key.c_str(), installed,
                static_cast<unsigned long>(setupType));
        CSystemSpooler spooler;
        const CSystemDriverFiles files(CSystemDriverFiles::Running(), PrinterDriverDirectory() + L"\\3");
        const bool done = CComponentInstaller(root, key, spooler, files).Run(operation);
        LogLine(L"MyInstall(%ls) ==> %ls", key.c_str(), done ? L"Success" : L"Fail");
        return done ? 1 : 0;
    } catch (const std::exception& error) {
        LogLine(L"MyInstall: exception %hs", error.what());
    } catch (...) {
        LogLine(L"MyInstall: exception");
    }
    return 0;
}

int WINAPI MyCreateShortCut(int reserved, LPCWSTR recordsRoot, LPCWSTR shortcutKey) {
    SetLogProgram(L"Vxrun");
    try {
        LogLine(L"MyCreateShortCut(%d,%ls,%ls)", reserved, Text(recordsRoot).c_str(), Text(shortcutKey).c_str());
        return CreateShortcutFromRecord(Text(shortcutKey)) ? 1 : 0;
    } catch (const std::exception& error) {
        LogLine(L"MyCreateShortCut: exception %hs", error.what());
    } catch (...) {
        LogLine(L"MyCreateShortCut: exception");
    }
    return 0;
}

}  // extern "C"
