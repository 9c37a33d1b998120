#pragma once
// The spooler calls for printers and ports, behind one small interface: the
// installer's printer steps run against the system's spooler here and against
// a stand-in in the tests (Wine's AddPrinter accepts a printer name that
// exists and a port that does not; Windows refuses both, 1802 and 1796).

#include <windows.h>

#include <string>
#include <vector>

namespace installer {

class IPrinterSpooler {
public:
    virtual ~IPrinterSpooler() = default;
    // The driver of printer |printer|; false when there is no such printer.
    virtual bool PrinterDriver(const std::wstring& printer, std::wstring* driver) = 0;
    // The printers whose driver is |driver|.
    virtual std::vector<std::wstring> PrintersOfDriver(const std::wstring& driver) = 0;
    // The printers that print to |port|.
    virtual std::vector<std::wstring> PrintersOnPort(const std::wstring& port) = 0;
    virtual bool PortExists(const std::wstring& port) = 0;
    // Each returns 0 or the system's error.
    virtual DWORD AddLocalPort(const std::wstring& port) = 0;
    virtual DWORD DeleteLocalPort(const std::wstring& port) = 0;
    virtual DWORD CreatePrinter(const std::wstring& printer, const std::wstring& driver, const std::wstring& port) = 0;
    virtual DWORD SetPrinterDriver(const std::wstring& printer, const std::wstring& driver) = 0;
    virtual DWORD DeletePrinter(const std::wstring& printer) = 0;
};

// The system's spooler.
class CSystemSpooler : public IPrinterSpooler {
public:
    bool PrinterDriver(const std::wstring& printer, std::wstring* driver) override;
    std::vector<std::wstring> PrintersOfDriver(const std::wstring& driver) override;
    std::vector<std::wstring> PrintersOnPort(const std::wstring& port) override;
    bool PortExists(const std::wstring& port) override;
    DWORD AddLocalPort(const std::wstring& port) override;
    DWORD DeleteLocalPort(const std::wstring& port) override;
    DWORD CreatePrinter(const std::wstring& printer, const std::wstring& driver, const std::wstring& port) override;
    DWORD SetPrinterDriver(const std::wstring& printer, const std::wstring& driver) override;
    DWORD DeletePrinter(const std::wstring& printer) override;
};

}  // namespace installer
