// Reports what the platform layer sees of the running system, for tests that
// run it under a chosen Windows version:
//
//   platform_probe.exe <report file> [<data file>]
//
// The report is one line of "name=value" pairs separated by blanks (ASCII);
// with a data file it also carries the operating-system define found in it.
// Exit code 0 when the report was written, 1 on wrong use, 2 when the report
// file cannot be written.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ConfigReader.h"
#include "NativeArchitecture.h"
#include "OsDefine.h"
#include "OsVersion.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 1;
    const OS_VERSION_FACTS facts = QueryOSVersionFacts();
    std::uint32_t code = 0;
    std::uint32_t family = 0;
    const bool classified = ClassifyOSVersion(facts, code, family);
    std::wstring architecture = L"-";
    GetNativeArchitectureText(architecture);

    wchar_t line[512];
    std::swprintf(line, sizeof(line) / sizeof(line[0]),
                  L"known=%d platform=%lu major=%lu minor=%lu build=%lu product=%u extended=%d is64=%d wow64=%d "
                  L"classified=%d code=%u family=%u key=%ls arch=%ls",
                  facts.known ? 1 : 0, facts.platformId, facts.majorVersion, facts.minorVersion, facts.buildNumber,
                  static_cast<unsigned>(facts.productType), facts.extended ? 1 : 0, facts.is64BitWindows ? 1 : 0,
                  facts.wow64Redirected ? 1 : 0, classified ? 1 : 0, static_cast<unsigned>(code),
                  static_cast<unsigned>(family),
                  PlatformKey(facts.platformId, facts.majorVersion, facts.minorVersion).c_str(),
                  architecture.c_str());
    std::wstring report = line;
    if (argc >= 3) {
        CConfigReader data;
        data.Load(argv[2], argv[2], nullptr, false);
        std::wstring define;
        report += FindOSDefine(facts, data, define) ? L" define=" + define : std::wstring(L" define=-");
    }
    report += L"\r\n";

    FILE* file = _wfopen(argv[1], L"wb");
    if (file == nullptr) return 2;
    const std::string ascii(report.begin(), report.end());
    const bool written = std::fwrite(ascii.data(), 1, ascii.size(), file) == ascii.size();
    return std::fclose(file) == 0 && written ? 0 : 2;
}
