#pragma once
// What printer management asks of the rest of setup: facts of the run (the
// system's family, directories, path variables, the product's identity), the
// support library's device calls, and the spooler changes the printer list
// makes. Each answer of this class is setup's own, taken from the run's
// context when asked; a test derives from it and answers what it wants to
// decide itself, e.g. a spooler that renames the way Windows does.

#include <windows.h>

#include <cstdint>
#include <string>

class CPrinterServices {
public:
    virtual ~CPrinterServices() = default;

    // The running system's family (os_class::kFamily...), 0 when unknown.
    virtual std::uint32_t OsFamily() const;
    // The directory of the running setup program, without trailing backslash.
    virtual std::wstring SetupDirectory() const;
    // $DEST_INST_DIR$ and $INF_DIR$.
    virtual std::wstring InstallDirectory() const;
    virtual std::wstring InfDirectory() const;
    virtual void ExpandPathVariables(std::wstring& text) const;

    // PROGRAM_INFO MFG, MDL and VIDPID.
    virtual std::wstring Manufacturer() const;
    virtual std::wstring Model() const;
    virtual std::wstring VidPid() const;

    // The support library's calls (CSupportLibrary has their results).
    virtual int DiagnosisEx(const wchar_t* manufacturer, const wchar_t* printer, const wchar_t* model,
                            const wchar_t* vidPid, int reserved) const;
    virtual int MyGetPrinterDesc(const wchar_t* address, wchar_t* deviceId, int reserved) const;
    virtual int MyGetDeviceIDFromPort(const wchar_t* port, wchar_t* deviceId) const;

    // The spooler changes (MySetDefaultPrinter and the free functions of the same names).
    virtual bool MakeDefaultPrinter(const wchar_t* printer) const;
    virtual bool SetPrinterPort(const wchar_t* printer, const wchar_t* port) const;
    virtual bool RenamePrinter(const wchar_t* printer, const wchar_t* newName) const;
    virtual bool SharePrinter(const wchar_t* printer, const wchar_t* shareName) const;
};

// Setup's own services.
CPrinterServices& DefaultPrinterServices();
