#pragma once
// CInfInfo reads what the installer needs from a printer or scanner INF file
// through the Setup API (it never parses INF text itself):
//
//   [Version]
//   Class=Printer                      ; the setup class ("Printer", "Image", ...)
//   [Manufacturer]
//   "Quorvel"=Quorvel,NTamd64,NTx86    ; line 0: key, models section, decorations
//   [Quorvel.NTamd64]                  ; the models section, here found decorated
//   "Model A"=INSTALL_A,HWID           ; field 0 the driver name, field 1 its install section
//   [INSTALL_A]
//   Include=NTPRINT.INF                ; with a non-empty Needs line: builds on the
//   Needs=UNIDRV.OEM                   ;   system's universal printer driver
//
// The models section is the name in field 1 of the first manufacturer line
// (the manufacturer itself when the line has no field 1). When that section
// is missing or has no line, the name with "." and the first decoration is
// tried; later decorations never are.
//
// Calling order: Reset, Init, then the accessors, GetDriverIndex and
// GetDriverNameByIndex, which work on the INF and the models section Init left
// open. GetClass reads the class of any INF at any time.
//
// Every operation runs under the fault guard: a fault inside is logged as
// "GPF in  CInfInfo::<operation>(...)" and the operation gives its failure
// value. Texts the caller hands in are copied first, so a bad pointer is a
// fault of the operation that received it.

#include <windows.h>
#include <setupapi.h>

#include <cstddef>

class CInfInfo {
public:
    // Every text the object keeps, and every field it reads, holds this many
    // characters with the terminator.
    static constexpr std::size_t kTextChars = 260;

    CInfInfo();
    virtual ~CInfInfo();
    CInfInfo(const CInfInfo&) = delete;
    CInfInfo& operator=(const CInfInfo&) = delete;

    // Empties the texts, sets the driver index to 0 and the flag to false,
    // closes the INF.
    void Reset();

    // Reads the class; for class Printer or Image (any case) also opens the
    // INF, finds the models section and chooses a driver: by |driverName| when
    // one is given (the first line whose name matches without regard to case;
    // the stored name is then the caller's text), else by |driverIndex| (-1:
    // line 0). Any other class succeeds at once with only the class name
    // stored. A failure leaves what was stored so far until the next Reset.
    bool Init(const wchar_t* infPath, int driverIndex = -1, const wchar_t* driverName = nullptr);

    // The class ("Class" of section "Version") of the INF at |infPath|, for
    // any INF and without changing the object. False when it cannot be read
    // or |className| has no room for it and its terminator.
    bool GetClass(const wchar_t* infPath, wchar_t* className, std::size_t capacity) const;

    // Init's part after opening: manufacturer, models section, driver choice
    // and, for class Printer, the universal-driver flag.
    bool GetInfo(HINF inf, int driverIndex, const wchar_t* driverName);
    // The section exists and has at least one line.
    bool CheckSection(HINF inf, const wchar_t* section) const;
    // Field |field| (0: the key) of line |line| of |section|.
    bool GetString(HINF inf, const wchar_t* section, int line, int field, wchar_t* output, DWORD capacity) const;
    // The text after "=" of the first line of |section| whose key is |key|.
    bool GetString(HINF inf, const wchar_t* section, const wchar_t* key, wchar_t* output, DWORD capacity) const;
    // Chooses the driver in |modelSection| (see Init) and stores it.
    bool CheckDriverNameAndIndex(HINF inf, const wchar_t* modelSection, int driverIndex, const wchar_t* driverName);
    // Whether the chosen driver's install section includes ntprint.inf and
    // needs one of its sections: the driver builds on the system's universal
    // printer driver. "Include" may list several files, separated by commas.
    bool CheckUniDrv(HINF inf);

    // The line index of |driverName| in the models section Init found, or -1.
    int GetDriverIndex(const wchar_t* driverName) const;
    // The driver name on line |index| of that section, cut to |capacity| - 1
    // characters.
    bool GetDriverNameByIndex(int index, wchar_t* output, std::size_t capacity) const;

    const wchar_t* GetInfClassName() const { return className_; }
    const wchar_t* GetDriverName() const { return driverName_; }
    int GetSelectedIndex() const { return driverIndex_; }
    bool IsUniDrv() const { return uniDrv_; }
    const wchar_t* GetManufacturer() const { return manufacturer_; }
    const wchar_t* GetModelSection() const { return modelSection_; }
    // Whether Init left the INF open.
    bool IsOpen() const { return IsValid(inf_); }

private:
    static bool IsValid(HINF inf) { return inf != nullptr && inf != INVALID_HANDLE_VALUE; }
    void CloseInf();

    bool DoInit(const wchar_t* infPath, int driverIndex, const wchar_t* driverName);
    bool DoGetClass(const wchar_t* infPath, wchar_t* className, std::size_t capacity) const;
    bool DoGetInfo(HINF inf, int driverIndex, const wchar_t* driverName);
    bool DoCheckSection(HINF inf, const wchar_t* section) const;
    bool DoGetString(HINF inf, const wchar_t* section, int line, int field, wchar_t* output, DWORD capacity) const;
    bool DoGetString(HINF inf, const wchar_t* section, const wchar_t* key, wchar_t* output, DWORD capacity) const;
    bool DoCheckDriverNameAndIndex(HINF inf, const wchar_t* modelSection, int driverIndex, const wchar_t* driverName);
    bool DoCheckUniDrv(HINF inf);
    int DoGetDriverIndex(const wchar_t* driverName) const;
    bool DoGetDriverNameByIndex(int index, wchar_t* output, std::size_t capacity) const;

    wchar_t className_[kTextChars];
    wchar_t driverName_[kTextChars];
    wchar_t manufacturer_[kTextChars];
    wchar_t modelSection_[kTextChars];
    bool uniDrv_ = false;
    int driverIndex_ = 0;
    HINF inf_ = INVALID_HANDLE_VALUE;
};

// Whether |path| names an INF file: the text after its last "." is "inf" in
// any case.
bool IsInfFile(const wchar_t* path);
