#pragma once
// One component's install, reinstall or removal, as its record under the
// records root describes it (what MyInstall does).
//
//   - A printer component (a Driver_Name and an INF of class Printer) is done
//     here: INF staged, driver added, printer added or kept.
//   - Any other component (the scanner's INF installer included) runs its
//     record's command and is judged by its exit code against Success_Return.
// A success marks the record InstallNow = 2; a removal clears the mark in the
// record and in the installed root's copy of it.

#include <windows.h>

#include <string>
#include <vector>

#include "PrinterSpooler.h"
#include "SystemDriverFiles.h"

namespace installer {

enum class ComponentOperation { kInstall, kReinstall, kRemove };

// Setup_Type under the records root (absent: 1): 2 removes, 3 to 5 reinstall,
// 1 reinstalls what is installed and installs the rest.
ComponentOperation ChooseOperation(DWORD setupType, bool installed);

class CComponentInstaller {
public:
    CComponentInstaller(std::wstring recordsRoot, std::wstring itemKey, IPrinterSpooler& spooler,
                        const CSystemDriverFiles& files);

    bool Run(ComponentOperation operation);

private:
    bool RunPrinter(ComponentOperation operation, const std::wstring& inf);
    bool RunCommand(ComponentOperation operation);
    void ClearMark() const;
    std::wstring UninstallInfoRoot() const;
    // A text of the component's record, else of its copy under the installed root.
    std::wstring RecordedText(const wchar_t* name) const;
    std::wstring InstalledRecord() const;

    std::wstring recordsRoot_;
    std::wstring itemKey_;
    IPrinterSpooler& spooler_;
    const CSystemDriverFiles& files_;
};

// The record's "Driver_Files": the full paths of the driver files that
// installing the component copied, separated by "|" (no path holds one).
std::vector<std::wstring> SplitFileList(const std::wstring& text);
// The list as text, each file once (compared without regard to case).
std::wstring JoinFileList(const std::vector<std::wstring>& files);

}  // namespace installer
