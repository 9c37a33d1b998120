#pragma once
// Whether the device on a port or at a network address is the product: its
// IEEE 1284 device ID (e.g. "MFG:Quorvel;MDL:LX-3200;CMD:PCL,POSTSCRIPT;")
// must hold the product's manufacturer (PROGRAM_INFO MFG), its model (MDL) and
// the given device string, each without regard to case. The ID is searched as
// text, not split into its fields: an empty value is held by any ID.

class CPrinterServices;

enum DeviceIdMatch : int {
    kDeviceIdUnread = 0,    // no device ID could be read
    kDeviceIdMatches = 1,   // the device is the product
    kDeviceIdDiffers = 2,   // it is not
};

// Reads the device ID with the support library: MyGetPrinterDesc for a
// network address (0 is success), MyGetDeviceIDFromPort for a port (non-zero
// is success), into a zero-filled buffer of 8192 characters whose last one
// always stays the terminator. Logs the ID read and the result.
int CheckDeviceId(const wchar_t* target, const wchar_t* deviceString, bool isNetwork);
int CheckDeviceId(const wchar_t* target, const wchar_t* deviceString, bool isNetwork,
                  const CPrinterServices& services);
