#pragma once
// The driver installer's command line, as setup writes it into a component's
// parameters and as QvDrvInst.exe receives it.
//
// Grammar (option names without regard to case):
//   line    := { blank } { option { blank } }
//   option  := "/" name [ value ]
//   name    := letter { letter }
//   value   := quoted | { blank } quoted | { blank } word      (a word does not start with "/")
//   quoted  := '"' { any character but '"' } '"'
//   word    := { any character but a blank }
// Operations: /IP /RP /UP (printer driver: install, reinstall, remove),
// /IS /RS /US (scanner INF: stage, stage again, unstage). Values: /INF <inf>,
// /I <model index>, /N <driver name> (also add a printer of that name),
// /O <driver name> (driver only), /P <port>.

#include <string>

namespace installer {

enum class DriverOperation { kNone, kInstallPrinter, kReinstallPrinter, kRemovePrinter, kStageScanner,
                             kRestageScanner, kRemoveScanner };

struct DRIVER_COMMAND {
    DriverOperation operation = DriverOperation::kNone;
    std::wstring inf;
    int index = -1;            // -1: not given
    std::wstring driverName;   // from /N or /O
    bool addPrinter = false;   // /N was given
    std::wstring port;         // empty: not given
    std::wstring unknown;      // the first option not understood, if any
};

DRIVER_COMMAND ParseDriverCommand(const std::wstring& line);

}  // namespace installer
