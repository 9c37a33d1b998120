#include "MyPrinter.h"

#include <cwchar>
#include <vector>

#include "DefaultPrinter.h"
#include "FaultGuard.h"
#include "Log.h"
#include "PrinterServices.h"
#include "SpoolerBlock.h"
#include "TextNoCase.h"

using printers::SameTextNoCase;

namespace {

const wchar_t* Text(const wchar_t* text) { return text != nullptr ? text : L""; }

// |text| cut to what a record holds.
std::wstring RecordText(const std::wstring& text) {
    return text.size() < PrinterData::kTextChars ? text : text.substr(0, PrinterData::kTextChars - 1);
}

PrinterData Stored(const PrinterData& record) {
    PrinterData stored = record;
    stored.installedName = RecordText(record.installedName);
    stored.printerName = RecordText(record.printerName);
    stored.shareName = RecordText(record.shareName);
    stored.infPath = RecordText(record.infPath);
    stored.port = RecordText(record.port);
    return stored;
}

}  // namespace

CMyPrinter::CMyPrinter(CPrinterServices* services)
    : services_(services != nullptr ? services : &DefaultPrinterServices()) {
    ClearPrinterData();
    commonPort_.clear();
    MyGetDefaultPrinter(&previousDefault_);
}

CMyPrinter::~CMyPrinter() = default;

// ---- The list ------------------------------------------------------------------------------

bool CMyPrinter::ClearPrinterData() {
    printers_.fill(PrinterData());
    count_ = 0;
    return true;
}

bool CMyPrinter::AddPrinterData(const PrinterData& record) {
    if (count_ >= kMaxPrinters) return false;
    PrinterData& slot = printers_[static_cast<std::size_t>(count_)];
    slot = Stored(record);
    slot.listIndex = count_;
    ++count_;
    return true;
}

bool CMyPrinter::GetPrinterData(int index, PrinterData& record) const {
    if (index < 0 || index >= kMaxPrinters) {
        record = PrinterData();
        return false;
    }
    record = printers_[static_cast<std::size_t>(index)];
    return true;
}

bool CMyPrinter::UpdatePrinterData(const PrinterData& record) {
    if (record.listIndex < 0 || record.listIndex >= kMaxPrinters) return false;
    printers_[static_cast<std::size_t>(record.listIndex)] = Stored(record);
    return true;
}

bool CMyPrinter::MarkPrinterInstalled(const wchar_t* name) {
    if (name == nullptr || *name == L'\0') return false;
    for (int i = 0; i < count_; ++i) {
        PrinterData& record = printers_[static_cast<std::size_t>(i)];
        if (SameTextNoCase(record.installedName.c_str(), name)) {
            record.installed = true;
            return true;
        }
    }
    // A component with a printer name of its own reports that name.
    for (int i = 0; i < count_; ++i) {
        PrinterData& record = printers_[static_cast<std::size_t>(i)];
        if (SameTextNoCase(record.printerName.c_str(), name)) {
            record.installed = true;
            return true;
        }
    }
    GlobalLog().Print(L"MarkPrinterInstalled (%ls) : no printer of this name in the list", name);
    return false;
}

bool CMyPrinter::SetAllPrinterPort(const wchar_t* port, bool setPort) {
    if (port == nullptr || *port == L'\0') return false;
    const std::wstring text = port;
    commonPort_ = text.substr(0, kCommonPortChars - 1);
    GlobalLog().Print(L"Set all printer port as %ls , %d", text.c_str(), setPort ? 1 : 0);
    for (int i = 0; i < count_; ++i) {
        PrinterData& record = printers_[static_cast<std::size_t>(i)];
        record.port = RecordText(text);
        record.setPort = setPort;
    }
    return true;
}

void CMyPrinter::ClearPortFlags() {
    for (PrinterData& record : printers_) record.setPort = false;
}

std::wstring CMyPrinter::GetDefaultPrinterName() const {
    for (int i = 0; i < count_; ++i) {
        const PrinterData& record = printers_[static_cast<std::size_t>(i)];
        if (record.defaultPrinter) return record.printerName;
    }
    return std::wstring();
}

bool CMyPrinter::GetDefaultInstalledName(std::wstring& name) const {
    for (int i = 0; i < count_; ++i) {
        const PrinterData& record = printers_[static_cast<std::size_t>(i)];
        if (record.defaultPrinter) {
            name = record.installedName;
            return false;
        }
    }
    name = printers_[0].printerName;
    return false;
}

bool CMyPrinter::SetPrinterName(const wchar_t* printerName, const wchar_t* newName) {
    if (printerName == nullptr || *printerName == L'\0') return false;
    for (int i = 0; i < count_; ++i) {
        PrinterData& record = printers_[static_cast<std::size_t>(i)];
        if (!record.printerName.empty() && SameTextNoCase(record.printerName.c_str(), printerName)) {
            record.printerName = RecordText(Text(newName));
            return true;
        }
    }
    return false;
}

bool CMyPrinter::GetPortByComponent(int componentIndex, std::wstring* port) const {
    if (componentIndex == -1 || port == nullptr) return false;
    for (int i = 0; i < count_; ++i) {
        const PrinterData& record = printers_[static_cast<std::size_t>(i)];
        if (record.componentIndex == componentIndex) {
            *port = record.port;
            return true;
        }
    }
    return false;
}

// ---- The machine's printers ------------------------------------------------------------------

int CMyPrinter::AppendNames(wchar_t* buffer, std::size_t capacity, const wchar_t* const* names,
                            std::size_t count) const {
    std::wmemset(buffer, L'\0', capacity);
    std::size_t position = 0;
    int written = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t length = std::wcslen(names[i]);
        // The name and its terminator must both fit.
        if (position + length >= capacity) return -1;
        std::wmemcpy(buffer + position, names[i], length + 1);
        position += length + 1;
        ++written;
    }
    return written;
}

int CMyPrinter::MyGetInstalledPrinter(wchar_t* buffer, std::size_t capacity) const {
    if (buffer == nullptr || capacity == 0) return -1;
    std::vector<const wchar_t*> names;
    for (int i = 0; i < count_; ++i) {
        const PrinterData& record = printers_[static_cast<std::size_t>(i)];
        if (!record.installedName.empty() && record.installed) names.push_back(record.printerName.c_str());
    }
    return AppendNames(buffer, capacity, names.data(), names.size());
}

int CMyPrinter::MyGetPrinterInPC(wchar_t* buffer, std::size_t capacity) const {
    if (buffer == nullptr || capacity == 0) return -1;
    CSpoolerBlock block;
    std::vector<const wchar_t*> names;
    int result = -1;
    if (!GuardedCall([&] {
            DWORD count = 0;
            const CSpoolerBlock::Result listed = block.Fill([&count](BYTE* data, DWORD size, DWORD* needed) {
                return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, data, size, needed, &count) != FALSE;
            });
            if (listed == CSpoolerBlock::Result::kEmpty) {
                count = 0;
            } else if (listed != CSpoolerBlock::Result::kFilled) {
                return;
            }
            const PRINTER_INFO_2W* info = block.As<PRINTER_INFO_2W>();
            for (DWORD i = 0; i < count; ++i) {
                if (info[i].pPrinterName != nullptr && info[i].pPrinterName[0] != L'\0')
                    names.push_back(info[i].pPrinterName);
            }
            result = AppendNames(buffer, capacity, names.data(), names.size());
        })) {
        GlobalLog().Print(L"GPF in CMyPrinter::MyGetPrinterInPC()");
        return -1;
    }
    return result;
}

bool CMyPrinter::MyGetDefaultPrinter(std::wstring* name) const {
    std::wstring found;
    if (!ReadDefaultPrinter(found) || found.empty()) return false;
    if (name != nullptr) *name = found;
    return true;
}

bool CMyPrinter::IsPrinterNameUsed(const wchar_t* candidate, const wchar_t* ownName) const {
    if (candidate == nullptr || *candidate == L'\0') return false;
    const wchar_t* own = Text(ownName);
    for (int i = 0; i < count_; ++i) {
        const PrinterData& record = printers_[static_cast<std::size_t>(i)];
        if (record.installed && !SameTextNoCase(record.installedName.c_str(), own) &&
            SameTextNoCase(record.installedName.c_str(), candidate))
            return true;
    }
    CSpoolerBlock block;
    bool used = false;
    if (!GuardedCall([&] {
            DWORD count = 0;
            if (block.Fill([&count](BYTE* data, DWORD size, DWORD* needed) {
                    return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, data, size, needed, &count) != FALSE;
                }) != CSpoolerBlock::Result::kFilled)
                return;  // nothing listed: not used
            const PRINTER_INFO_2W* info = block.As<PRINTER_INFO_2W>();
            for (DWORD i = 0; i < count && !used; ++i) {
                const wchar_t* name = info[i].pPrinterName;
                used = name != nullptr && !SameTextNoCase(name, own) && SameTextNoCase(name, candidate);
            }
        })) {
        GlobalLog().Print(L"GPF in CMyPrinter::IsPrinterNameUsed(%ls)", candidate);
        return false;
    }
    return used;
}

// ---- Applying the list -------------------------------------------------------------------------

bool CMyPrinter::ApplyPrinterPorts() {
    for (int i = 0; i < count_; ++i) {
        const PrinterData& record = printers_[static_cast<std::size_t>(i)];
        if (!record.setPort) continue;
        if (!Services().SetPrinterPort(record.installedName.c_str(), record.port.c_str())) {
            GlobalLog().Print(L"Set %ls printer port to %ls => fail", record.installedName.c_str(),
                              record.port.c_str());
        }
    }
    return true;
}

bool CMyPrinter::RenameAllPrinters() {
    for (int i = 0; i < count_; ++i) {
        const PrinterData& record = printers_[static_cast<std::size_t>(i)];
        if (record.installed && !record.printerName.empty())
            Services().RenamePrinter(record.installedName.c_str(), record.printerName.c_str());
    }
    return true;
}

bool CMyPrinter::ShareAllPrinters() {
    for (int i = 0; i < count_; ++i) {
        const PrinterData& record = printers_[static_cast<std::size_t>(i)];
        if (record.sharePrinter && record.installed && !record.shareName.empty())
            Services().SharePrinter(record.installedName.c_str(), record.shareName.c_str());
    }
    return true;
}

bool CMyPrinter::SetDefaultFromList(bool usePrinterName) {
    const PrinterData* chosen = nullptr;
    for (int i = 0; i < count_; ++i) {
        const PrinterData& record = printers_[static_cast<std::size_t>(i)];
        if (record.defaultPrinter && record.installed) chosen = &record;
    }
    if (chosen == nullptr) return false;
    Services().MakeDefaultPrinter(usePrinterName ? chosen->printerName.c_str() : chosen->installedName.c_str());
    if (usePrinterName) return true;
    std::wstring infPath = chosen->infPath;
    Services().ExpandPathVariables(infPath);
    CopyOEMInf(infPath.c_str());
    return true;
}

bool CMyPrinter::DiagnoseInstalledPrinters() {
    const std::wstring manufacturer = Services().Manufacturer();
    const std::wstring model = Services().Model();
    const std::wstring vidPid = Services().VidPid();
    for (int i = 0; i < count_; ++i) {
        const PrinterData& record = printers_[static_cast<std::size_t>(i)];
        if (record.installed)
            Services().DiagnosisEx(manufacturer.c_str(), record.printerName.c_str(), model.c_str(), vidPid.c_str(), 0);
    }
    return true;
}
