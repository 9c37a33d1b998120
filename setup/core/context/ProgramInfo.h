#pragma once
// What is installed: manufacturer, model, USB vendor and product identifier
// text, and the program's name, from section "PROGRAM_INFO" of the data file.

#include <string>

class CConfigReader;

class CProgramInfo {
public:
    static constexpr const wchar_t* kDefaultProgramName = L"Quorvel Printer Installer Program";

    virtual ~CProgramInfo() = default;

    // False when MFG, MDL or VIDPID is missing; a missing PROGRAM_NAME keeps the default.
    bool Load(const CConfigReader& data);

    const std::wstring& Manufacturer() const { return mfg_; }
    const std::wstring& Model() const { return mdl_; }
    const std::wstring& VidPid() const { return vidPid_; }
    const std::wstring& ProgramName() const { return programName_; }

private:
    std::wstring mfg_;
    std::wstring mdl_;
    std::wstring vidPid_;
    std::wstring programName_ = kDefaultProgramName;
};
