// The version facts as the system reports them: the probe program runs under
// each Windows version that Wine can pretend to be (its per-program
// "AppDefaults" setting), and its classification and define string are those
// of that system.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "LogReader.h"
#include "Medium.h"
#include "Process.h"

namespace {

const wchar_t* const kAppDefaults = L"Software\\Wine\\AppDefaults\\";

std::wstring ProgramDirectory() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text(path, n);
    return text.substr(0, text.find_last_of(L'\\') + 1);
}

std::map<std::string, std::string> ReadReport(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::istringstream line(text);
    std::map<std::string, std::string> report;
    for (std::string pair; line >> pair;) {
        const std::size_t equals = pair.find('=');
        if (equals != std::string::npos) report[pair.substr(0, equals)] = pair.substr(equals + 1);
    }
    return report;
}

class VersionProbeTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = qs_test::TempDirectory() + L"qs-probe-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        qs_test::DeleteTree(folder_.substr(0, folder_.size() - 1));
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
        data_ = folder_ + L"setup.dat";
        ASSERT_TRUE(qs_test::WriteProfileFile(data_, L"[OS_DEFINE]\n"
                                                     L"0X00020501 = WXP\n"
                                                     L"0X00020502 = W2K3\n"
                                                     L"0X00020502.64 = WXP64\n"
                                                     L"0X00020600 = VISTA\n"
                                                     L"0X00020600.64 = VISTA64\n"
                                                     L"0X00020600.64.SER = SERVER2008_64\n"
                                                     L"0X00020601 = WIN7\n"
                                                     L"0X00020601.64 = WIN7_64\n"));
    }
    void TearDown() override {
        for (const std::wstring& program : programs_) RegDeleteKeyW(HKEY_CURRENT_USER, (kAppDefaults + program).c_str());
        qs_test::DeleteTree(folder_.substr(0, folder_.size() - 1));
    }

    // Runs a copy of the probe that Wine starts as |version| (empty: as the
    // prefix's own version) and reads its report.
    std::map<std::string, std::string> Probe(const std::wstring& version) {
        const std::wstring name = version.empty() ? L"prefix" : version;
        const std::wstring program = L"qs_probe_" + name + L"_" + std::to_wstring(GetCurrentProcessId()) + L".exe";
        const std::wstring copy = folder_ + program;
        EXPECT_TRUE(CopyFileW((ProgramDirectory() + L"platform_probe.exe").c_str(), copy.c_str(), FALSE));
        const std::wstring report = folder_ + name + L".txt";
        if (!version.empty() && !SetVersion(program, version)) return {};
        const qs_test::RunResult run =
            qs_test::RunProgram(qs_test::Quoted(copy) + L" " + qs_test::Quoted(report) + L" " + qs_test::Quoted(data_));
        EXPECT_TRUE(run.started && run.finished);
        EXPECT_EQ(run.exitCode, 0u);
        return ReadReport(report);
    }

    bool SetVersion(const std::wstring& program, const std::wstring& version) {
        programs_.push_back(program);
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (kAppDefaults + program).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        if (key == nullptr) return false;
        const LONG set = RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                                        static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        EXPECT_EQ(set, ERROR_SUCCESS);
        return set == ERROR_SUCCESS;
    }

    std::wstring folder_;
    std::wstring data_;
    std::vector<std::wstring> programs_;
};

TEST_F(VersionProbeTest, EachWindowsVersionIsClassifiedAsItself) {
    const struct {
        const wchar_t* version;
        const char* major;
        const char* minor;
        const char* build;
        const char* product;
        const char* code;
        const char* key;
        const char* define;
    } cases[] = {
        {L"winxp64", "5", "2", "3790", "1", "14", "0X00020502", "WXP64"},
        {L"win2003", "5", "2", "3790", "3", "16", "0X00020502", "WXP64"},
        {L"vista", "6", "0", "6002", "1", "18", "0X00020600", "VISTA64"},
        {L"win2008", "6", "0", "6002", "3", "19", "0X00020600", "VISTA64"},
        // The prefix is Windows 7. (This Wine's per-program "win7" and
        // "win2008r2" give each other's product type, so neither is named.)
        {L"", "6", "1", "7601", "1", "18", "0X00020601", "WIN7_64"},
        // Like Windows, Wine tells a program without a compatibility manifest
        // that Windows 8 and later are 6.2.
        {L"win10", "6", "2", "9200", "1", "18", "0X00020602", "WIN7_64"},
    };
    for (const auto& c : cases) {
        std::map<std::string, std::string> report = Probe(c.version);
        const std::string version = *c.version ? std::string(c.version, c.version + wcslen(c.version)) : "prefix";
        EXPECT_EQ(report["known"], "1") << version;
        EXPECT_EQ(report["extended"], "1") << version;
        EXPECT_EQ(report["platform"], "2") << version;
        EXPECT_EQ(report["major"], c.major) << version;
        EXPECT_EQ(report["minor"], c.minor) << version;
        EXPECT_EQ(report["build"], c.build) << version;
        EXPECT_EQ(report["product"], c.product) << version;
        EXPECT_EQ(report["classified"], "1") << version;
        EXPECT_EQ(report["code"], c.code) << version;
        EXPECT_EQ(report["family"], "17") << version;
        EXPECT_EQ(report["key"], c.key) << version;
        EXPECT_EQ(report["define"], c.define) << version;
        EXPECT_EQ(report["is64"], "1") << version;
        EXPECT_EQ(report["wow64"], "0") << version;
        EXPECT_EQ(report["arch"], "NTamd64") << version;
    }
}

}  // namespace
