#pragma once
// The test device: on a test medium, a setting file beside the library stands
// for a connected device where the system cannot show one (no USB plug and
// play under Wine). The file "Device.ini" (ANSI, read with the platform's
// private-profile reader) in the library's own folder:
//
//   [DEVICE]
//   PORT=USB001
//   DEVICE_ID=MFG:Quorvel;MDL:LX-3200MF;CMD:PCL,PS;
//
// Without the file the library reports only what the system itself shows.

#include <string>

struct TEST_DEVICE {
    bool present = false;    // the setting file exists
    std::wstring port;       // empty: the setting is unusable (the device check fails)
    std::wstring deviceId;
};

// The folder the library was loaded from, without a trailing backslash.
std::wstring LibraryFolder();

// Reads the setting file from |folder|.
TEST_DEVICE ReadTestDevice(const std::wstring& folder);

// True when |port| names |device|'s port; case and a trailing ':' do not matter.
bool IsPortOf(const TEST_DEVICE& device, const std::wstring& port);
