#pragma once
// How the system requirement check reaches the user and the machine: one
// function each for showing a message, telling the free space of a disk and
// asking for the device's port. The application plugs in its own (the
// wizard's message box, the utility library's queries); tests answer them
// themselves. What is left empty is answered by the system's own below.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct REQUIREMENT_SYSTEM {
    // Shows |text| under |caption| with the message-box style |type|;
    // MessageBoxW's arguments and result.
    std::function<int(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)> showMessage;
    // The free space, in megabytes, of the disk that holds |path| (the
    // current directory's disk for an empty path); nothing when it cannot be
    // told.
    std::function<std::optional<std::uint64_t>(const std::wstring& path)> freeSpace;
    // The port of the device with these manufacturer, model and USB
    // vendor/product texts: the number of ports found (|port| holds the first
    // when there is one), 0 when the device is not connected, -1 when the
    // system cannot reach USB devices at all.
    std::function<long(const std::wstring& manufacturer, const std::wstring& model, const std::wstring& vidPid,
                       std::wstring& port)>
        devicePort;
};

// The system message box (MessageBoxW).
int ShowSystemMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// The space available to this user on the disk of |path|, in whole
// megabytes, by GetDiskFreeSpaceExW. A path that does not exist yet is
// answered for its nearest existing parent; nothing when no part of it
// exists.
std::optional<std::uint64_t> QueryDiskFreeMegabytes(const std::wstring& path);

// Whether the system can reach USB devices: -1 when the system's device list
// has no present device of the USB class (host controllers and hubs), else 0,
// also when the list cannot be had (the system lacks its functions or refuses
// the query). The device itself is not looked for, so |port| stays empty.
long QueryUsbPresence(const std::wstring& manufacturer, const std::wstring& model, const std::wstring& vidPid,
                      std::wstring& port);

// |system| with every empty member set to the system's own above.
REQUIREMENT_SYSTEM WithSystemDefaults(REQUIREMENT_SYSTEM system);
