#pragma once
// What the system itself knows about the model's devices: the USB printing
// ports of connected devices, a new scan for devices, and the removal of
// devices the system left without a driver. Wine has no USB plug and play, so
// here the search finds nothing and the scan and removal find nothing to do.

#include <string>

// The port ("USB001", ...) of a connected USB printing device whose hardware
// path names |vidPid| ("VID_3A17&PID_3200"); empty when there is none.
std::wstring FindUsbPrintPort(const std::wstring& vidPid);

// Makes the system enumerate its devices again. True when the scan started.
bool RescanDevices();

// Removes the devices whose hardware IDs name |vidPid| and that the system
// could not install. True unless a removal failed.
bool RemoveUninstalledDevices(const std::wstring& vidPid);
