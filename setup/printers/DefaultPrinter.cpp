#include "DefaultPrinter.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "FaultGuard.h"
#include "Log.h"
#include "OsVersion.h"
#include "Registry.h"
#include "ScopedHandle.h"
#include "SpoolerBlock.h"

namespace {

const wchar_t kDevicesKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices";

using SetDefaultPrinterProc = BOOL(WINAPI*)(LPCWSTR);
using GetDefaultPrinterProc = BOOL(WINAPI*)(LPWSTR, LPDWORD);

template <class Proc>
Proc Bound(HMODULE module, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Windows 95/98/Me: the printer's own default attribute.
bool SetDefaultByAttribute(const std::wstring& printer) {
    CPrinterHandle handle;
    if (!OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), handle.Receive(), nullptr)) {
        GlobalLog().PrintError(GetLastError(), L"OpenPrinter (%ls)", printer.c_str());
        return false;
    }
    const HANDLE opened = handle.Get();
    CSpoolerBlock block;
    const CSpoolerBlock::Result read = ReadPrinterLevel2(opened, block);
    if (read != CSpoolerBlock::Result::kFilled) {
        GlobalLog().PrintError(FailureCode(read), L"GetPrinter (%ls)", printer.c_str());
        return false;
    }
    block.As<PRINTER_INFO_2W>()->Attributes |= PRINTER_ATTRIBUTE_DEFAULT;
    if (!SetPrinterW(opened, 2, block.Data(), 0)) {
        GlobalLog().PrintError(GetLastError(), L"SetPrinter (%ls)", printer.c_str());
        return false;
    }
    return true;
}

// Windows NT 3.x and 4.0: "Device" of the user's [Windows] section.
bool SetDefaultByProfile(const std::wstring& printer) {
    wchar_t device[CRegistry::kTextChars] = {};
    if (CRegistry::GetValue(kDevicesKey, printer.c_str(), device, HKEY_CURRENT_USER) != ERROR_SUCCESS ||
        device[0] == L'\0')
        return false;
    const std::wstring entry = printer + L"," + device;
    return WriteProfileStringW(L"Windows", L"Device", entry.c_str()) != FALSE;
}

// Windows 2000 and later: the spooler's own call, else the NT 4.0 way.
bool SetDefaultBySpooler(const std::wstring& printer) {
    const CModuleHandle spooler(LoadLibraryW(L"WinSpool.drv"));
    if (spooler) {
        const auto setDefault = Bound<SetDefaultPrinterProc>(spooler.Get(), "SetDefaultPrinterW");
        if (setDefault != nullptr && setDefault(printer.c_str())) return true;
    }
    return SetDefaultByProfile(printer);
}

bool SetDefault(const std::wstring& printer, std::uint32_t osFamily) {
    switch (osFamily) {
        case os_class::kFamily9x:
            return SetDefaultByAttribute(printer);
        case os_class::kFamilyNt4:
            return SetDefaultByProfile(printer);
        case os_class::kFamilyNt5:
            return SetDefaultBySpooler(printer);
        default:
            return false;
    }
}

bool ReadDefaultFromSpooler(std::wstring& printer) {
    const CModuleHandle spooler(LoadLibraryW(L"Winspool.drv"));
    if (!spooler) return false;
    const auto getDefault = Bound<GetDefaultPrinterProc>(spooler.Get(), "GetDefaultPrinterW");
    if (getDefault == nullptr) return false;
    std::vector<wchar_t> name(MAX_PATH, L'\0');
    DWORD size = static_cast<DWORD>(name.size());
    if (!getDefault(name.data(), &size)) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= name.size()) return false;
        name.assign(size, L'\0');
        if (!getDefault(name.data(), &size)) return false;
    }
    printer = name.data();
    return true;
}

bool ReadDefaultFromPrinters(std::wstring& printer) {
    CSpoolerBlock block;
    DWORD count = 0;
    const CSpoolerBlock::Result listed = block.Fill([&count](BYTE* data, DWORD size, DWORD* needed) {
        return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, data, size, needed, &count) != FALSE;
    });
    if (listed != CSpoolerBlock::Result::kFilled) return false;
    const PRINTER_INFO_2W* info = block.As<PRINTER_INFO_2W>();
    for (DWORD i = 0; i < count; ++i) {
        if ((info[i].Attributes & PRINTER_ATTRIBUTE_DEFAULT) != 0 && info[i].pPrinterName != nullptr) {
            printer = info[i].pPrinterName;
            return true;
        }
    }
    return false;
}

}  // namespace

bool MySetDefaultPrinter(const wchar_t* printer) {
    std::uint32_t code = 0;
    std::uint32_t family = 0;
    if (!GetOSVersionClass(code, family)) family = 0;
    return MySetDefaultPrinter(printer, family);
}

bool MySetDefaultPrinter(const wchar_t* printer, std::uint32_t osFamily) {
    if (printer == nullptr || *printer == L'\0') return false;
    const std::wstring name = printer;
    bool done = false;
    if (!GuardedCall([&] { done = SetDefault(name, osFamily); })) {
        GlobalLog().Print(L"GPF in MySetDefaultPrinter(%ls)", name.c_str());
        done = false;
    }
    if (done) {
        SendNotifyMessageW(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(L"Windows"));
        GlobalLog().Print(L"Set Default Printer (%ls) Success", name.c_str());
    } else {
        GlobalLog().Print(L"Set Default Printer (%ls) fail", name.c_str());
    }
    return done;
}

bool ReadDefaultPrinter(std::wstring& printer) {
    std::wstring found;
    bool read = false;
    if (!GuardedCall([&] { read = ReadDefaultFromSpooler(found) || ReadDefaultFromPrinters(found); })) {
        GlobalLog().Print(L"GPF in ReadDefaultPrinter()");
        return false;
    }
    if (!read || found.empty()) return false;
    printer = found;
    return true;
}
