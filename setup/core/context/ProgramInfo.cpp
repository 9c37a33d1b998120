#include "ProgramInfo.h"

#include "ConfigReader.h"

namespace {
constexpr std::size_t kValueChars = 259;  // the values are read into buffers of 260 characters

bool Read(const CConfigReader& data, const wchar_t* key, std::wstring& value) {
    std::wstring text;
    if (!data.GetString(L"PROGRAM_INFO", key, text, true)) return false;
    value = text.substr(0, kValueChars);
    return true;
}
}  // namespace

bool CProgramInfo::Load(const CConfigReader& data) {
    const bool mfg = Read(data, L"MFG", mfg_);
    const bool mdl = Read(data, L"MDL", mdl_);
    const bool vidPid = Read(data, L"VIDPID", vidPid_);
    Read(data, L"PROGRAM_NAME", programName_);
    return mfg && mdl && vidPid;
}
