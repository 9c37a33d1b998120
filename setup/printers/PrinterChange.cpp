#include "PrinterChange.h"

#include <string>

#include "FaultGuard.h"
#include "Log.h"
#include "SpoolerBlock.h"
#include "TextNoCase.h"

namespace {

bool IsEmpty(const wchar_t* text) { return text == nullptr || *text == L'\0'; }

// Opens |printer|, reads it at level 2, lets |change| alter the record and
// writes it back. Logs the printer's name in the error form on any failure.
template <class Change>
bool ChangePrinter(const std::wstring& printer, Change change) {
    PRINTER_DEFAULTSW defaults = {const_cast<wchar_t*>(L"RAW"), nullptr, PRINTER_ALL_ACCESS};
    CPrinterHandle handle;
    if (!OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), handle.Receive(), &defaults)) {
        GlobalLog().PrintError(GetLastError(), L"%ls", printer.c_str());
        return false;
    }
    CSpoolerBlock block;
    const HANDLE opened = handle.Get();
    const CSpoolerBlock::Result read = ReadPrinterLevel2(opened, block);
    if (read != CSpoolerBlock::Result::kFilled) {
        GlobalLog().PrintError(FailureCode(read), L"%ls", printer.c_str());
        return false;
    }
    change(*block.As<PRINTER_INFO_2W>());
    if (!SetPrinterW(opened, 2, block.Data(), 0)) {
        GlobalLog().PrintError(GetLastError(), L"%ls", printer.c_str());
        return false;
    }
    return true;
}

// Runs |body| under the fault guard; a fault is logged as "GPF in <what>".
template <class Body>
bool Guarded(const wchar_t* what, const std::wstring& printer, Body body) {
    bool result = false;
    if (!GuardedCall([&] { result = body(); })) {
        GlobalLog().Print(L"GPF in %ls(%ls)", what, printer.c_str());
        return false;
    }
    return result;
}

}  // namespace

bool SetPrinterPort(const wchar_t* printer, const wchar_t* port) {
    if (IsEmpty(printer) || IsEmpty(port)) return false;
    const std::wstring name = printer;
    std::wstring portName = port;
    return Guarded(L"SetPrinterPort", name, [&] {
        if (!ChangePrinter(name, [&](PRINTER_INFO_2W& info) {
                info.pPortName = &portName[0];
                info.pSecurityDescriptor = nullptr;
            }))
            return false;
        GlobalLog().Print(L"Set %ls Printer port as %ls successfully!", name.c_str(), portName.c_str());
        return true;
    });
}

bool RenamePrinter(const wchar_t* printer, const wchar_t* newName) {
    if (IsEmpty(printer) || IsEmpty(newName)) return false;
    if (printers::SameTextNoCase(printer, newName)) return true;
    const std::wstring name = printer;
    std::wstring renamed = newName;
    return Guarded(L"RenamePrinter", name, [&] {
        if (!ChangePrinter(name, [&](PRINTER_INFO_2W& info) { info.pPrinterName = &renamed[0]; })) return false;
        GlobalLog().Print(L"Set %ls Printer name as %ls successfully!", name.c_str(), renamed.c_str());
        return true;
    });
}

bool SharePrinter(const wchar_t* printer, const wchar_t* shareName) {
    if (IsEmpty(printer) || IsEmpty(shareName)) return false;
    const std::wstring name = printer;
    std::wstring share = shareName;
    return Guarded(L"SharePrinter", name, [&] {
        if (!ChangePrinter(name, [&](PRINTER_INFO_2W& info) {
                info.pShareName = &share[0];
                info.Attributes |= PRINTER_ATTRIBUTE_SHARED;
            }))
            return false;
        GlobalLog().Print(L"Share %ls Printer with %ls share name successfully!", name.c_str(), share.c_str());
        return true;
    });
}
