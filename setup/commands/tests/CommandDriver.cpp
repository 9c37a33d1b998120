// command_driver.exe: runs command-section lines through the interpreter of a
// run without pages, on an installation medium, as a silent installation
// does. A test tool: setup itself never builds it.
//
// usage: command_driver.exe MEDIUM\setup.exe [--record-shell] LINE...
//
// The components of the medium are loaded first, as setup does. The log is
// %TEMP%\setup.exe.log. Prints "<result> <line>" for every line.
// Exit code: 0 when every line gave true, 1 when one gave false, 2 when the
// medium does not initialise or the usage is wrong.
#include <windows.h>

#include <cstdio>
#include <string>

#include "CmdOperator.h"
#include "Item.h"
#include "ItemQueries.h"
#include "Log.h"
#include "MyPrinter.h"
#include "RecordingShell.h"
#include "SetupContext.h"
#include "WindowlessWizard.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: command_driver.exe MEDIUM\\setup.exe [--record-shell] LINE...\n");
        return 2;
    }
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    CLog log(temp, L"setup.exe");
    SetGlobalLog(&log);
    int exitCode = 0;
    {
        CSetupContext context(argv[1]);
        SetGlobalContext(&context);
        if (!context.Initialise()) {
            std::fwprintf(stderr, L"the medium %ls does not initialise\n", argv[1]);
            exitCode = 2;
        } else {
            context.SetSilent(true);
            CRecordingShell shell;
            CWindowlessWizard wizard(context, L"INSTALL_START_INFO");
            CMyPrinter printers;
            CItem items(context, printers);
            items.SetRunCommand([&wizard](const std::wstring& type, const std::wstring& param1) {
                return wizard.RunCommand(MakeCmdRecord(type, param1));
            });
            items.Init();
            CItemQueries queries(items);
            wizard.SetComponents(queries);
            int first = 2;
            if (argc > 2 && std::wstring(argv[2]) == L"--record-shell") {
                wizard.Operator().SetShell(shell);
                first = 3;
            }
            for (int i = first; i < argc; ++i) {
                const bool result = wizard.Operator().ExecuteLine(argv[i]);
                std::wprintf(L"%d %ls\n", result ? 1 : 0, argv[i]);
                if (!result) exitCode = 1;
            }
            for (const CRecordingShell::OPENED& opened : shell.Opened())
                std::wprintf(L"opened %ls %ls\n", opened.file.c_str(), opened.parameters.c_str());
        }
        SetGlobalContext(nullptr);
    }
    SetGlobalLog(nullptr);
    return exitCode;
}
