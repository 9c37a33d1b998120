#include "InstallTarget.h"

#include <windows.h>

#include "ConfigReader.h"
#include "Log.h"
#include "ProfileText.h"
#include "Registry.h"
#include "Utl.h"

namespace {

std::wstring WithoutTrailingBackslash(std::wstring path) {
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

std::wstring Clip260(const std::wstring& text) { return text.substr(0, 259); }

}  // namespace

std::wstring CInstallTarget::Expanded(const std::wstring& text) const {
    std::wstring result = text;
    if (services_.expand) services_.expand(result);
    return result;
}

std::wstring CInstallTarget::DefaultPort(const std::wstring& configured, bool usbOnly,
                                         const std::function<bool(const std::wstring&)>& portExists) {
    if (!configured.empty() && portExists(configured)) return configured;
    if (usbOnly) return L"FILE:";
    return portExists(L"LPT1:") ? L"LPT1:" : L"FILE:";
}

void CInstallTarget::TakeDestination(const std::wstring& destination) {
    destination_ = WithoutTrailingBackslash(destination);
    installDirectory_ = destination_ + L"\\Install";
}

void CInstallTarget::Initialise(const CConfigReader& data, const std::wstring& sourceDirectory,
                                const std::wstring& manufacturer, const std::wstring& model,
                                const std::wstring& vidPid, const std::wstring& programFilesDirectory,
                                const std::wstring& programName, const std::wstring& recordedDestination,
                                bool usbOnly) {
    mfg_ = Clip260(manufacturer);
    mdl_ = Clip260(model);
    vidPid_ = Clip260(vidPid);
    sourceDirectory_ = sourceDirectory;

    std::wstring destination = recordedDestination;
    if (destination.empty() && !data.GetString(L"PROGRAM_INFO", L"DESTINATION_DIR", destination, true))
        destination = programFilesDirectory + L"\\" + manufacturer + L"\\" + programName;
    TakeDestination(destination);
    firstDestination_ = destination_;
    if (services_.makeDirectories) services_.makeDirectories(destination_);

    data.GetString(L"PROGRAM_INFO", L"DEFAULT_PORT", configuredPort_, true);
    port_ = DefaultPort(configuredPort_, usbOnly, [](const std::wstring& port) { return CUtl::PortExists(port.c_str()); });
}

void CInstallTarget::SetOsDefine(const std::wstring& defineString, const std::wstring& directory) {
    osDefine_ = defineString;
    osDirectory_ = directory;
    GlobalLog().Print(L"OS Define String = %ls", osDefine_.c_str());
    GlobalLog().Print(L"OS Directory = %ls", osDirectory_.c_str());
}

void CInstallTarget::SetDestination(const std::wstring& destination, const std::wstring& installingRoot) {
    const std::wstring current = Expanded(destination_);
    std::wstring next = destination;
    if (next.empty()) {
        next = Expanded(firstDestination_);
        GlobalLog().Print(L"Reset Destination Directory [%ls]", next.c_str());
    }
    if (profile_text::EqualsNoCase(WithoutTrailingBackslash(current), WithoutTrailingBackslash(next))) return;
    CUtl::RemoveDirectoryAndEmptyParents(current.c_str());
    GlobalLog().Print(L"Set Destination ==> %ls", next.c_str());
    TakeDestination(next);
    CRegistry::SetValue(installingRoot.c_str(), L"Dest_Dir", destination_.c_str(), HKEY_LOCAL_MACHINE);
    if (services_.makeDirectories) services_.makeDirectories(destination_);
}

void CInstallTarget::SetPortName(const std::wstring& port, bool usbOnly) {
    port_ = port.empty() ? DefaultPort(configuredPort_, usbOnly,
                                       [](const std::wstring& name) { return CUtl::PortExists(name.c_str()); })
                         : port;
    GlobalLog().Print(L"Set Port : %ls", port_.c_str());
}

void CInstallTarget::SetIp(const std::wstring& ip) {
    ip_ = ip;
    GlobalLog().Print(L"Set IP : %ls", ip_.c_str());
}

void CInstallTarget::SetPrinterInstalled(bool installed) {
    printerInstalled_ = installed;
    if (installed) GlobalLog().Print(L"Printer was installed");
}

bool CInstallTarget::FindInstalledDevicePort(bool lptOnly) {
    std::wstring port;
    if (!services_.installedDevicePort || !services_.installedDevicePort(port)) return false;
    portFound_ = true;
    SetPortName(port);
    portGiven_ = true;
    if (!lptOnly) return true;
    return profile_text::FoldedUpper(port).find(L"LPT") != std::wstring::npos;
}
