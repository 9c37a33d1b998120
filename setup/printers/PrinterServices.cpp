#include "PrinterServices.h"

#include "DefaultPrinter.h"
#include "OsVersion.h"
#include "PrinterChange.h"
#include "SetupContext.h"

namespace {

std::wstring ModuleDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

std::uint32_t CPrinterServices::OsFamily() const {
    std::uint32_t code = 0;
    std::uint32_t family = 0;
    return GetOSVersionClass(code, family) ? family : 0;
}

std::wstring CPrinterServices::SetupDirectory() const {
    const std::wstring& source = GlobalContext().SourceDirectory();
    return source.empty() ? ModuleDirectory() : source;
}

std::wstring CPrinterServices::InstallDirectory() const { return GlobalContext().PathVariables().installDirectory; }

std::wstring CPrinterServices::InfDirectory() const { return GlobalContext().PathVariables().infDirectory; }

void CPrinterServices::ExpandPathVariables(std::wstring& text) const {
    GlobalContext().ExpandPathVariables(text, nullptr);
}

std::wstring CPrinterServices::Manufacturer() const { return GlobalProgramInfo().Manufacturer(); }
std::wstring CPrinterServices::Model() const { return GlobalProgramInfo().Model(); }
std::wstring CPrinterServices::VidPid() const { return GlobalProgramInfo().VidPid(); }

int CPrinterServices::DiagnosisEx(const wchar_t* manufacturer, const wchar_t* printer, const wchar_t* model,
                                  const wchar_t* vidPid, int reserved) const {
    return GlobalSupportLibrary().DiagnosisEx(manufacturer, printer, model, vidPid, reserved);
}

int CPrinterServices::MyGetPrinterDesc(const wchar_t* address, wchar_t* deviceId, int reserved) const {
    return GlobalSupportLibrary().MyGetPrinterDesc(address, deviceId, reserved);
}

int CPrinterServices::MyGetDeviceIDFromPort(const wchar_t* port, wchar_t* deviceId) const {
    return GlobalSupportLibrary().MyGetDeviceIDFromPort(port, deviceId);
}

bool CPrinterServices::MakeDefaultPrinter(const wchar_t* printer) const { return MySetDefaultPrinter(printer); }

bool CPrinterServices::SetPrinterPort(const wchar_t* printer, const wchar_t* port) const {
    return ::SetPrinterPort(printer, port);
}

bool CPrinterServices::RenamePrinter(const wchar_t* printer, const wchar_t* newName) const {
    return ::RenamePrinter(printer, newName);
}

bool CPrinterServices::SharePrinter(const wchar_t* printer, const wchar_t* shareName) const {
    return ::SharePrinter(printer, shareName);
}

CPrinterServices& DefaultPrinterServices() {
    static CPrinterServices services;
    return services;
}
