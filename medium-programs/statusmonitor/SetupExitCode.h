#pragma once
// The exit codes of the status monitor's installer (setup.exe). /FAIL<n>
// exits with n instead, doing nothing.

enum : int {
    kSetupSuccess = 0,
    kSetupBadArguments = 1,     // an unknown, repeated or malformed switch
    kSetupNotSilent = 2,        // /S missing: the installer has no windows, so it does nothing
    kSetupNotInstalled = 3,     // /REPAIR without an installation to repair
    kSetupNoDirectory = 4,      // the install directory could not be created
    kSetupCopyFailed = 5,       // a program file could not be copied into it
    kSetupRegistryFailed = 6,   // a registry value could not be written
};
