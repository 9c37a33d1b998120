#pragma once
// What snaplet's print tests share: a folder both Windows programs and the
// Linux host reach, the test printers (Wine's PostScript driver printing to
// files there), programs run with their console output kept, the test
// pattern window, and ghostscript's rendering of what was printed.

#include <windows.h>

#include <string>
#include <vector>

#include "HostFolder.h"
#include "RenderedPage.h"

namespace snaplet_test {

// The folder shared with the host, and host scripts (ghostscript), come from
// the test harness.
using qs_test::FileExists;
using qs_test::HostFolder;
using qs_test::ReadFileBytes;
using qs_test::ReadPpm;
using qs_test::RenderedPage;
using qs_test::RunHostScript;

// Two printers on Wine's PostScript driver with the test PPD (Letter, 8 x
// 10.5 inches printable): kDefaultPrinter, made the default, and
// kOtherPrinter. Each prints to a file of its own in the folder.
constexpr const wchar_t* kDefaultPrinter = L"Snaplet Test Default";
constexpr const wchar_t* kOtherPrinter = L"Snaplet Test Other";
// False, with the reason in |error|, when the driver or a printer cannot be added.
bool InstallTestPrinters(const HostFolder& folder, std::string& error);
// The print file of each printer.
constexpr const wchar_t* kDefaultOutput = L"default.ps";
constexpr const wchar_t* kOtherOutput = L"other.ps";

// snaplet.exe and the pattern program of this build.
std::wstring SnapletProgram();
std::wstring PatternProgram();

struct ProgramRun {
    bool finished = false;
    DWORD exitCode = 0;
    std::string output;   // what it wrote to its standard output
};
// Runs snaplet.exe with |arguments|, its standard output going to a file of
// |folder|.
ProgramRun RunSnaplet(const HostFolder& folder, const std::wstring& arguments, DWORD timeoutMs = 60000);

// A program started and left running; ended when the object ends.
class RunningProgram {
public:
    explicit RunningProgram(const std::wstring& commandLine);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    // True when it ended within |timeoutMs|; its exit code in |exitCode|.
    bool Wait(DWORD timeoutMs, DWORD& exitCode);

private:
    PROCESS_INFORMATION process_ = {};
};

// The test pattern shown at |rect| (screen coordinates) and in front.
class PatternWindow {
public:
    explicit PatternWindow(const RECT& rect);
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;

    // Waits until the window is in front.
    bool WaitUntilInFront(DWORD timeoutMs = 20000);
    // Waits until the window is in front and its pixels are on the screen
    // (its bottom right mark must be on the screen).
    bool WaitUntilShown(DWORD timeoutMs = 20000);
    HWND Handle() const { return window_; }

private:
    RECT rect_;
    RunningProgram program_;
    HWND window_ = nullptr;
};

constexpr int kRenderDpi = 100;

// Renders every page of the PostScript file |psName| of |folder| at
// kRenderDpi; with a |pngPrefix|, also writes the pages as
// <pngPrefix>-1.png, ... into the build's pages folder for people to look at.
std::vector<RenderedPage> RenderPages(const HostFolder& folder, const std::wstring& psName,
                                      const std::string& pngPrefix = "");

// The bounding box of everything that is not paper-white on |page|
// (right and bottom exclusive); false on a blank page.
bool FindPicture(const RenderedPage& page, RECT& box);

enum class Colour { White, Grey, Red, Green, Blue, Yellow, Other };
Colour Classify(COLORREF colour);
const char* ColourName(Colour colour);

}  // namespace snaplet_test
