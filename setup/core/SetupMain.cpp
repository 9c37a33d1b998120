// setup.exe: the installation program that runs from the medium.
#include <windows.h>

#include "SetupApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    int exitCode = CSetupApp::kExitFailure;
    {
        CSetupApp app;
        exitCode = app.Run(commandLine != nullptr ? commandLine : L"");
    }
    return exitCode;
}
