#include "SnapletTestSupport.h"

#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "TestPatternColours.h"
#include "TestPrinters.h"

namespace snaplet_test {

namespace {

using qs_test::WindowsPathOf;

std::string LastError(const char* what) {
    return std::string(what) + " failed with " + std::to_string(GetLastError());
}

}  // namespace

bool InstallTestPrinters(const HostFolder& folder, std::string& error) {
    std::wstring driver = L"Snaplet Test PostScript";
    std::wstring ppd = WindowsPathOf(QS_SNAPLET_FIXTURES "/snaplet-test.ppd");
    if (const DWORD failed = qs_test::AddPostScriptDriver(driver, ppd)) {
        error = "AddPrinterDriverExW failed with " + std::to_string(failed);
        return false;
    }
    const struct {
        const wchar_t* name;
        const wchar_t* output;
    } printers[] = {{kDefaultPrinter, kDefaultOutput}, {kOtherPrinter, kOtherOutput}};
    for (const auto& p : printers) {
        if (const DWORD failed = qs_test::AddPlainPrinter(p.name, driver, folder.WindowsPath(p.output))) {
            error = "AddPrinterW failed with " + std::to_string(failed);
            return false;
        }
    }
    if (!SetDefaultPrinterW(kDefaultPrinter)) {
        error = LastError("SetDefaultPrinterW");
        return false;
    }
    return true;
}

std::wstring SnapletProgram() { return WindowsPathOf(QS_SNAPLET_EXE); }
std::wstring PatternProgram() { return WindowsPathOf(QS_PATTERN_EXE); }

ProgramRun RunSnaplet(const HostFolder& folder, const std::wstring& arguments, DWORD timeoutMs) {
    ProgramRun run;
    const std::wstring outputPath = folder.WindowsPath(L"snaplet-output.txt");
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    const HANDLE output = CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) return run;
    std::wstring commandLine = L"\"" + SnapletProgram() + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    CloseHandle(output);
    if (!started) return run;
    CloseHandle(process.hThread);
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        run.finished = true;
        GetExitCodeProcess(process.hProcess, &run.exitCode);
    } else {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hProcess);
    run.output = ReadFileBytes(outputPath);
    return run;
}

RunningProgram::RunningProgram(const std::wstring& commandLine) {
    std::wstring line = commandLine;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) {
        process_ = {};
        return;
    }
    CloseHandle(process_.hThread);
    process_.hThread = nullptr;
}

RunningProgram::~RunningProgram() {
    if (process_.hProcess == nullptr) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
}

bool RunningProgram::Wait(DWORD timeoutMs, DWORD& exitCode) {
    if (process_.hProcess == nullptr || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(process_.hProcess, &exitCode);
    return true;
}

PatternWindow::PatternWindow(const RECT& rect)
    : rect_(rect),
      program_(L"\"" + PatternProgram() + L"\" " + std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) +
               L" " + std::to_wstring(rect.right - rect.left) + L" " + std::to_wstring(rect.bottom - rect.top)) {}

PatternWindow::~PatternWindow() {
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
    DWORD exitCode = 0;
    program_.Wait(5000, exitCode);
}

bool PatternWindow::WaitUntilInFront(DWORD timeoutMs) {
    if (!program_.Started()) return false;
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        window_ = FindWindowW(kPatternClass, nullptr);
        if (window_ != nullptr && GetForegroundWindow() == window_) return true;
        Sleep(50);
    }
    return false;
}

bool PatternWindow::WaitUntilShown(DWORD timeoutMs) {
    if (!program_.Started()) return false;
    const LONG mark = std::min(rect_.right - rect_.left, rect_.bottom - rect_.top) / 4;
    const POINT probe = {rect_.right - mark / 2, rect_.bottom - mark / 2};
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        window_ = FindWindowW(kPatternClass, nullptr);
        if (window_ != nullptr && GetForegroundWindow() == window_) {
            const HDC screen = GetDC(nullptr);
            const COLORREF pixel = GetPixel(screen, probe.x, probe.y);
            ReleaseDC(nullptr, screen);
            if (pixel == kBottomRight) return true;
        }
        Sleep(50);
    }
    return false;
}

std::vector<RenderedPage> RenderPages(const HostFolder& folder, const std::wstring& psName,
                                      const std::string& pngPrefix) {
    std::vector<RenderedPage> pages;
    const std::string ps = folder.UnixPath(std::string(psName.begin(), psName.end()));
    const std::string gs = "gs -q -dSAFER -dBATCH -dNOPAUSE -r" + std::to_string(kRenderDpi);
    std::string script = "rm -f " + folder.UnixPath("page-*.ppm") + " && " + gs + " -sDEVICE=ppmraw -sOutputFile=" +
                         folder.UnixPath("page-%d.ppm") + " " + ps;
    if (!pngPrefix.empty()) {
        const std::string shown = QS_SNAPLET_PAGES_DIR;
        script += " && mkdir -p " + shown + " && rm -f " + shown + "/" + pngPrefix + "-*.png && " + gs +
                  " -sDEVICE=png16m -sOutputFile=" + shown + "/" + pngPrefix + "-%d.png " + ps;
    }
    const int status = RunHostScript(folder, script);
    if (status != 0) {
        std::fprintf(stderr, "ghostscript failed (status %d): %s\n%s\n", status, script.c_str(),
                     ReadFileBytes(folder.WindowsPath(L"host-output")).c_str());
        return pages;
    }
    for (int number = 1;; ++number) {
        const std::wstring path = folder.WindowsPath(L"page-" + std::to_wstring(number) + L".ppm");
        if (!FileExists(path)) break;
        RenderedPage page;
        if (!ReadPpm(ReadFileBytes(path), page)) {
            std::fprintf(stderr, "page %d of %ls is not a binary PPM\n", number, psName.c_str());
            break;
        }
        pages.push_back(std::move(page));
    }
    return pages;
}

bool FindPicture(const RenderedPage& page, RECT& box) {
    box = {page.width, page.height, 0, 0};
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) {
            if (Classify(page.At(x, y)) == Colour::White) continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return box.right > box.left && box.bottom > box.top;
}

Colour Classify(COLORREF colour) {
    const int r = GetRValue(colour);
    const int g = GetGValue(colour);
    const int b = GetBValue(colour);
    auto within = [](int value, int target) { return std::abs(value - target) <= 48; };
    if (r >= 230 && g >= 230 && b >= 230) return Colour::White;
    if (within(r, 128) && within(g, 128) && within(b, 128)) return Colour::Grey;
    if (within(r, 255) && within(g, 0) && within(b, 0)) return Colour::Red;
    if (within(r, 0) && within(g, 255) && within(b, 0)) return Colour::Green;
    if (within(r, 0) && within(g, 0) && within(b, 255)) return Colour::Blue;
    if (within(r, 255) && within(g, 255) && within(b, 0)) return Colour::Yellow;
    return Colour::Other;
}

const char* ColourName(Colour colour) {
    switch (colour) {
    case Colour::White: return "white";
    case Colour::Grey: return "grey";
    case Colour::Red: return "red";
    case Colour::Green: return "green";
    case Colour::Blue: return "blue";
    case Colour::Yellow: return "yellow";
    default: return "other";
    }
}

}  // namespace snaplet_test
