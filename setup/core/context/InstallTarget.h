#pragma once
// Where and for what the run installs: the destination and install directories
// ($DEST_DIR$, $DEST_INST_DIR$), the operating-system directory and define
// string ($OS_DIR$), the port ($PORT$), the printer's address ($IP$), and what
// is known about a previous installation and the connected device.

#include <functional>
#include <string>

class CConfigReader;

class CInstallTarget {
public:
    // What the target asks of the rest of the program.
    struct SERVICES {
        std::function<void(std::wstring&)> expand;                    // path variables
        std::function<bool(const std::wstring&)> makeDirectories;     // create and record a directory tree
        // The port of an installed device of this model: true and the port
        // when the support library reports one.
        std::function<bool(std::wstring& port)> installedDevicePort;
    };

    CInstallTarget() = default;
    virtual ~CInstallTarget() = default;

    void SetServices(SERVICES services) { services_ = std::move(services); }

    // The start-up part: identity copies, destination (a recorded one first),
    // its directories, the port. |recordedDestination| is "Dest_Dir" under the
    // installed root, or empty.
    void Initialise(const CConfigReader& data, const std::wstring& sourceDirectory, const std::wstring& manufacturer,
                    const std::wstring& model, const std::wstring& vidPid, const std::wstring& programFilesDirectory,
                    const std::wstring& programName, const std::wstring& recordedDestination, bool usbOnly);
    // The operating-system define string and directory; logged.
    void SetOsDefine(const std::wstring& defineString, const std::wstring& directory);

    // A new destination (empty: the one first determined). |installingRoot|
    // receives "Dest_Dir".
    void SetDestination(const std::wstring& destination, const std::wstring& installingRoot);
    // Empty: the default port for |usbOnly|; logs "Set Port : %s". (Not
    // "SetPort": the spooler header makes that name SetPortW.)
    void SetPortName(const std::wstring& port, bool usbOnly = false);
    void SetIp(const std::wstring& ip);
    void SetPrinterInstalled(bool installed);
    void SetInstalled(bool installed) { installed_ = installed; }
    void SetPortGiven(bool given) { portGiven_ = given; }
    bool FindInstalledDevicePort(bool lptOnly);

    const std::wstring& SourceDirectory() const { return sourceDirectory_; }
    const std::wstring& Destination() const { return destination_; }
    const std::wstring& FirstDestination() const { return firstDestination_; }
    const std::wstring& InstallDirectory() const { return installDirectory_; }
    const std::wstring& OsDirectory() const { return osDirectory_; }
    const std::wstring& OsDefine() const { return osDefine_; }
    const std::wstring& Port() const { return port_; }
    const std::wstring& Ip() const { return ip_; }
    bool Installed() const { return installed_; }
    bool PrinterInstalled() const { return printerInstalled_; }
    bool PortFound() const { return portFound_; }
    bool PortGiven() const { return portGiven_; }
    const std::wstring& Manufacturer() const { return mfg_; }
    const std::wstring& Model() const { return mdl_; }
    const std::wstring& VidPid() const { return vidPid_; }

    // DEFAULT_PORT when that port exists, else "FILE:" for USB-only
    // products, else "LPT1:" when it exists, else "FILE:".
    static std::wstring DefaultPort(const std::wstring& configured, bool usbOnly,
                                    const std::function<bool(const std::wstring&)>& portExists);

private:
    std::wstring Expanded(const std::wstring& text) const;
    void TakeDestination(const std::wstring& destination);

    SERVICES services_;
    std::wstring sourceDirectory_;
    std::wstring destination_;
    std::wstring firstDestination_;
    std::wstring installDirectory_;
    std::wstring osDirectory_;
    std::wstring osDefine_;
    std::wstring port_;
    std::wstring ip_;
    std::wstring configuredPort_;
    bool installed_ = false;
    bool printerInstalled_ = false;
    bool portFound_ = false;
    bool portGiven_ = false;
    std::wstring mfg_;
    std::wstring mdl_;
    std::wstring vidPid_;
};
