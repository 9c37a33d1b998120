#include "PrinterSpooler.h"

#include <winspool.h>

#include <vector>

namespace installer {

namespace {

class CPrinterHandle {
public:
    CPrinterHandle(const std::wstring& name, ACCESS_MASK access) {
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
        if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &handle_, &defaults)) handle_ = nullptr;
    }
    ~CPrinterHandle() {
        if (handle_ != nullptr) ClosePrinter(handle_);
    }
    CPrinterHandle(const CPrinterHandle&) = delete;
    CPrinterHandle& operator=(const CPrinterHandle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

// A spooler answer in a buffer sized by a first query.
template <typename Query>
bool Fill(std::vector<BYTE>* buffer, Query query) {
    DWORD needed = 0;
    if (query(nullptr, 0, &needed)) return true;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return false;
    buffer->assign(needed, 0);
    return query(buffer->data(), needed, &needed) != FALSE;
}

}  // namespace

bool CSystemSpooler::PrinterDriver(const std::wstring& printer, std::wstring* driver) {
    const CPrinterHandle handle(printer, PRINTER_ACCESS_USE);
    if (handle.Get() == nullptr) return false;
    std::vector<BYTE> buffer;
    if (!Fill(&buffer, [&](BYTE* data, DWORD size, DWORD* needed) {
            return GetPrinterW(handle.Get(), 2, data, size, needed);
        }) ||
        buffer.empty())
        return false;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    *driver = info->pDriverName != nullptr ? info->pDriverName : L"";
    return true;
}

namespace {

// The names of the local printers that |match| picks.
template <typename Match>
std::vector<std::wstring> LocalPrintersWhere(Match match) {
    std::vector<std::wstring> names;
    std::vector<BYTE> buffer;
    DWORD count = 0;
    if (!Fill(&buffer, [&](BYTE* data, DWORD size, DWORD* needed) {
            return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, data, size, needed, &count);
        }))
        return names;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    for (DWORD i = 0; i < count && !buffer.empty(); ++i)
        if (match(printers[i])) names.push_back(printers[i].pPrinterName);
    return names;
}

}  // namespace

std::vector<std::wstring> CSystemSpooler::PrintersOfDriver(const std::wstring& driver) {
    return LocalPrintersWhere([&](const PRINTER_INFO_2W& printer) {
        return printer.pDriverName != nullptr && _wcsicmp(printer.pDriverName, driver.c_str()) == 0;
    });
}

std::vector<std::wstring> CSystemSpooler::PrintersOnPort(const std::wstring& port) {
    return LocalPrintersWhere([&](const PRINTER_INFO_2W& printer) {
        // A printer may print to several ports: "LPT1:,LPT2:".
        const std::wstring ports = printer.pPortName != nullptr ? printer.pPortName : L"";
        for (std::size_t start = 0; start <= ports.size();) {
            std::size_t end = ports.find(L',', start);
            if (end == std::wstring::npos) end = ports.size();
            if (_wcsicmp(ports.substr(start, end - start).c_str(), port.c_str()) == 0) return true;
            start = end + 1;
        }
        return false;
    });
}

bool CSystemSpooler::PortExists(const std::wstring& port) {
    std::vector<BYTE> buffer;
    DWORD count = 0;
    if (!Fill(&buffer, [&](BYTE* data, DWORD size, DWORD* needed) {
            return EnumPortsW(nullptr, 1, data, size, needed, &count);
        }))
        return false;
    const auto* ports = reinterpret_cast<const PORT_INFO_1W*>(buffer.data());
    for (DWORD i = 0; i < count && !buffer.empty(); ++i)
        if (ports[i].pName != nullptr && _wcsicmp(ports[i].pName, port.c_str()) == 0) return true;
    return false;
}

DWORD CSystemSpooler::AddLocalPort(const std::wstring& port) {
    const CPrinterHandle monitor(L",XcvMonitor Local Port", SERVER_ACCESS_ADMINISTER);
    if (monitor.Get() == nullptr) return GetLastError();
    DWORD needed = 0;
    DWORD status = 0;
    if (!XcvDataW(monitor.Get(), L"AddPort", reinterpret_cast<BYTE*>(const_cast<wchar_t*>(port.c_str())),
                  static_cast<DWORD>((port.size() + 1) * sizeof(wchar_t)), nullptr, 0, &needed, &status))
        return GetLastError();
    return status;
}

DWORD CSystemSpooler::DeleteLocalPort(const std::wstring& port) {
    const CPrinterHandle monitor(L",XcvMonitor Local Port", SERVER_ACCESS_ADMINISTER);
    if (monitor.Get() == nullptr) return GetLastError();
    DWORD needed = 0;
    DWORD status = 0;
    if (!XcvDataW(monitor.Get(), L"DeletePort", reinterpret_cast<BYTE*>(const_cast<wchar_t*>(port.c_str())),
                  static_cast<DWORD>((port.size() + 1) * sizeof(wchar_t)), nullptr, 0, &needed, &status))
        return GetLastError();
    return status;
}

DWORD CSystemSpooler::CreatePrinter(const std::wstring& printer, const std::wstring& driver, const std::wstring& port) {
    std::wstring name = printer;
    std::wstring driverName = driver;
    std::wstring portName = port;
    PRINTER_INFO_2W info = {};
    info.pPrinterName = &name[0];
    info.pPortName = &portName[0];
    info.pDriverName = &driverName[0];
    info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    info.pDatatype = const_cast<wchar_t*>(L"RAW");
    const HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (added == nullptr) return GetLastError();
    ClosePrinter(added);
    return ERROR_SUCCESS;
}

DWORD CSystemSpooler::SetPrinterDriver(const std::wstring& printer, const std::wstring& driver) {
    const CPrinterHandle handle(printer, PRINTER_ALL_ACCESS);
    if (handle.Get() == nullptr) return GetLastError();
    std::vector<BYTE> buffer;
    if (!Fill(&buffer, [&](BYTE* data, DWORD size, DWORD* needed) {
            return GetPrinterW(handle.Get(), 2, data, size, needed);
        }) ||
        buffer.empty())
        return GetLastError();
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
    std::wstring driverName = driver;
    info->pDriverName = &driverName[0];
    info->pSecurityDescriptor = nullptr;
    if (!SetPrinterW(handle.Get(), 2, buffer.data(), 0)) return GetLastError();
    return ERROR_SUCCESS;
}

DWORD CSystemSpooler::DeletePrinter(const std::wstring& printer) {
    const CPrinterHandle handle(printer, PRINTER_ALL_ACCESS);
    if (handle.Get() == nullptr) return GetLastError();
    if (!::DeletePrinter(handle.Get())) return GetLastError();
    return ERROR_SUCCESS;
}

}  // namespace installer
