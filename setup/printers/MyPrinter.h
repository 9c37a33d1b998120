#pragma once
// CMyPrinter: the printers the run installs, and what the spooler knows about
// the machine's printers and its default printer.
//
// The list holds at most ten records (PrinterData), appended one by one and
// emptied as a whole. Components fill it, the install engine marks the
// printers it installed, the network and settings pages choose ports and
// names, and the finishing command applies everything:
//
//   SetDefaultFromList(false), ShareAllPrinters()        under the installed names
//   DiagnoseInstalledPrinters()                           when a device is connected
//   ApplyPrinterPorts(), RenameAllPrinters(), SetDefaultFromList(true)
//
// A record is marked installed by name: its installed name (the driver's
// name) when one matches, else its printer name, so that a component that
// configures a printer name of its own is named, shared and made default like
// any other.
//
// Spooler changes, the run's facts and the support library's calls go through
// CPrinterServices (setup's own unless a test gives another).

#include <windows.h>
#include <winspool.h>

// The spooler's header maps GetPrinterData to GetPrinterDataW; the list's
// operation of that name keeps its own.
#ifdef GetPrinterData
#undef GetPrinterData
#endif

#include <array>
#include <cstddef>
#include <string>

#include "PrinterData.h"

class CPrinterServices;

class CMyPrinter {
public:
    static constexpr int kMaxPrinters = 10;
    // Room of a name list (MyGetInstalledPrinter, MyGetPrinterInPC).
    static constexpr std::size_t kNameListChars = 8192;
    // Room of the common port, with its terminator.
    static constexpr std::size_t kCommonPortChars = 260;

    // Reads the default printer of the moment as the previous one.
    // |services| (not owned) must outlive the object; null: setup's own.
    explicit CMyPrinter(CPrinterServices* services = nullptr);
    virtual ~CMyPrinter();
    CMyPrinter(const CMyPrinter&) = delete;
    CMyPrinter& operator=(const CMyPrinter&) = delete;

    // ---- The list ------------------------------------------------------------------

    // Every slot fresh, count 0. The common port stays.
    bool ClearPrinterData();
    // Appends a copy of |record| with its list index set to its slot; false
    // (list unchanged) when the list is full.
    bool AddPrinterData(const PrinterData& record);
    // A copy of slot |index|; an index outside 0-9 gives a fresh record and false.
    bool GetPrinterData(int index, PrinterData& record) const;
    // Copies |record| back into the slot its list index names; false for an
    // index outside 0-9.
    bool UpdatePrinterData(const PrinterData& record);
    int GetPrinterCount() const { return count_; }

    // Marks the first record whose installed name is |name| (without regard
    // to case); when none, the first whose printer name is |name|. False when
    // neither matches.
    bool MarkPrinterInstalled(const wchar_t* name);
    // Gives every record |port| and the set-port flag |setPort|, and keeps the
    // port as the common port. False for an empty port.
    bool SetAllPrinterPort(const wchar_t* port, bool setPort);
    void ClearPortFlags();
    const std::wstring& GetCommonPort() const { return commonPort_; }
    // The printer name of the first record flagged default, or empty.
    std::wstring GetDefaultPrinterName() const;
    // The installed name of the first record flagged default; when none, the
    // printer name of slot 0. Always false.
    bool GetDefaultInstalledName(std::wstring& name) const;
    // The first record whose (non-empty) printer name is |printerName| gets
    // |newName|; false when none.
    bool SetPrinterName(const wchar_t* printerName, const wchar_t* newName);
    // The port of the first record of component |componentIndex|; false for
    // -1, no output or no such record.
    bool GetPortByComponent(int componentIndex, std::wstring* port) const;

    // ---- The machine's printers -----------------------------------------------------

    // Whether a printer other than |ownName| already bears |candidate|: an
    // installed record's installed name or a local printer's name, compared
    // without regard to case.
    bool IsPrinterNameUsed(const wchar_t* candidate, const wchar_t* ownName) const;
    // The printer names of the installed records (with a non-empty installed
    // name) as consecutive zero-terminated names in |buffer| of |capacity|
    // characters (zero-filled first): their count, or -1 when a name does not
    // fit (the names before it stay).
    int MyGetInstalledPrinter(wchar_t* buffer, std::size_t capacity = kNameListChars) const;
    // The same with the names of the local printers; -1 also when the spooler
    // cannot list them.
    int MyGetPrinterInPC(wchar_t* buffer, std::size_t capacity = kNameListChars) const;
    // The default printer's name; false when there is none. |name| may be null.
    bool MyGetDefaultPrinter(std::wstring* name) const;
    const std::wstring& GetPreviousDefaultPrinter() const { return previousDefault_; }

    // ---- Applying the list ------------------------------------------------------------

    // SetPrinterPort for every record with the set-port flag; a failure is
    // logged "Set %s printer port to %s => fail" and the rest go on. True.
    bool ApplyPrinterPorts();
    // RenamePrinter (installed name to printer name) for every installed
    // record with a printer name. True.
    bool RenameAllPrinters();
    // SharePrinter for every installed record flagged to share, with a share
    // name. True.
    bool ShareAllPrinters();
    // Makes the last installed record flagged default the default printer:
    // under its printer name (|usePrinterName|) or its installed name, and in
    // the second case also copies its INF (path variables expanded) as an OEM
    // INF. False when no record qualifies, else true whatever the spooler says.
    bool SetDefaultFromList(bool usePrinterName);
    // Registers |infPath| with the system as an OEM INF. On Windows 2000 and
    // later the INF is taken from the installed copy (the setup program's
    // directory in the path replaced by $DEST_INST_DIR$) and copied with
    // SetupCopyOEMInfW, not overwriting (an INF already there is success); on
    // older systems it is copied to $INF_DIR$ and recorded in the installation
    // history.
    bool CopyOEMInf(const wchar_t* infPath);
    // The support library's DiagnosisEx for every installed record. True.
    bool DiagnoseInstalledPrinters();

private:
    const CPrinterServices& Services() const { return *services_; }
    bool DoCopyOEMInf(const std::wstring& infPath);
    int AppendNames(wchar_t* buffer, std::size_t capacity, const wchar_t* const* names, std::size_t count) const;

    std::array<PrinterData, kMaxPrinters> printers_;
    int count_ = 0;
    std::wstring commonPort_;
    std::wstring previousDefault_;
    CPrinterServices* services_;
};
