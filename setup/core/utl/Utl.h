#pragma once
// Free-standing operations shared by setup's subsystems: numbers written in the
// configuration, system error texts, shortcut and folder removal, the
// administrator check, printer driver and port look-ups, the wait for the
// system's device installations, the setup source path, and service control.
//
// None of them keeps state between calls, any thread may call them, and none
// lets an exception out: a failure becomes the operation's result.

#include <windows.h>

#include <cstddef>
#include <functional>

class CUtl {
public:
    // ---- Numbers and texts ------------------------------------------------

    // A number written in the configuration. Without "0x" (any case) the
    // decimal value as the platform's wide-text integer conversion reads it
    // (blanks skipped, stops at the first non-digit, 0 when none). With "0x":
    // every "0x" is dropped and the last eight characters of the rest are read
    // as hexadecimal digits, right to left; a character that is neither a
    // decimal digit nor A-F counts 0. A null text gives 0.
    static DWORD StringToNumber(const wchar_t* text);

    // The system's text for |code| in the neutral language, copied into
    // |output| (|outputChars| characters of room, cut to fit). When the system
    // has no text, |output| is left as it is. Always true.
    static bool GetSystemErrorText(DWORD code, wchar_t* output, std::size_t outputChars);

    // How a message box is shown: MessageBoxW's arguments and result.
    using MessageBoxFunction = std::function<int(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)>;
    // When the system has a text for |code|, shows it in a warning box without
    // owner under |caption|; otherwise shows nothing.
    static void ShowSystemErrorBox(DWORD code, const wchar_t* caption);
    static void ShowSystemErrorBox(DWORD code, const wchar_t* caption, const MessageBoxFunction& show);

    // The bytes as upper-case hexadecimal pairs without separators ("001B").
    // False for no bytes, no output, or an output of fewer than 2 * count + 1
    // characters.
    static bool BytesToHex(const BYTE* bytes, std::size_t count, wchar_t* output, std::size_t outputChars);

    // True when one entry of |list|, split at |separator| and trimmed of blanks
    // and tabs, equals |item| regardless of case. False when any of the three
    // is missing or empty.
    static bool IsInCommaList(const wchar_t* list, const wchar_t* item, const wchar_t* separator);

    // ---- Files and folders --------------------------------------------------

    // Deletes the shortcut file; false when that fails. Unless |keepFolders|,
    // then removes its folder and each parent it leaves empty, 150 ms before
    // each attempt; the first folder that stays is tried ten more times, each
    // retry logged. The walk never removes a drive root or one of the system's
    // shell folders (desktops, Start menus, Programs, Startup) or a folder
    // above them, and stops there.
    static bool DeleteShortcut(const wchar_t* path, bool keepFolders);

    // Removes |directory| and then each parent while the removal succeeds,
    // stopping at the drive root and before any of the shell folders the
    // shortcut removal keeps. False only for a missing or empty text.
    static bool RemoveDirectoryAndEmptyParents(const wchar_t* directory);

    // ---- System state -------------------------------------------------------

    // Whether the user's token holds the Administrators group, by an access
    // check against a descriptor that grants access to that group only.
    static bool IsAdministrator();

    // Whether a printer driver of this name (any case) is installed; with
    // |byPrinters|, whether a local printer uses a driver of this name.
    static bool IsPrinterDriverInstalled(const wchar_t* driverName, bool byPrinters);

    // Whether the spooler has a port of this name (any case). A colon at the
    // end of either name is not significant: "lpt1" finds "LPT1:".
    static bool PortExists(const wchar_t* portName);

    // ---- Device installations ------------------------------------------------

    // One wait for the system's pending device installations: the timeout in
    // milliseconds in, WAIT_OBJECT_0 (none pending), WAIT_TIMEOUT or WAIT_FAILED out.
    using PendingInstallWait = std::function<DWORD(DWORD timeoutMs)>;

    // Waits until the system has no device installation pending. False when
    // nothing was pending (or the system cannot tell); true when it had to
    // wait. Limited: 62 waits of a second at most. |unlimited|: waits as long as
    // installations are pending and calls |stillPending| after every second
    // that passes with installations still pending (setup brings the system's
    // new-hardware dialog to the front there).
    static bool WaitForPnP(bool unlimited, const std::function<void()>& stillPending = {});
    // The same with the wait given.
    static bool WaitForPnP(bool unlimited, const std::function<void()>& stillPending, const PendingInstallWait& wait);

    // ---- Setup source path -----------------------------------------------------

    // Puts the system's setup source path back: "SourcePath_ORG" of
    // HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Setup (64-bit view)
    // becomes "SourcePath" again, with its value type, and is deleted. Returns
    // the last registry error (0 on success; 2 when there was nothing to restore).
    static LONG RestoreSourcePath();
    // The same under another key; |view| adds KEY_WOW64_64KEY or nothing.
    static LONG RestoreSourcePath(HKEY root, const wchar_t* subKey, REGSAM view);

    // ---- Services ------------------------------------------------------------------

    // Start, stop or query a service. Results are system error codes; a
    // service that does not reach the wanted state gives 1052. |state|, when
    // given, receives the last state seen (SERVICE_RUNNING, ...).
    static DWORD StartServiceAndWait(const wchar_t* serviceName, DWORD* state = nullptr);
    static DWORD StopServiceAndWait(const wchar_t* serviceName, DWORD* state = nullptr);
    // 87 without |state|.
    static DWORD QueryServiceState(const wchar_t* serviceName, DWORD* state);
};
