// The log file: its name, banner, line format, error lines and writers.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "Log.h"
#include "LogReader.h"
#include "Medium.h"

namespace {

class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = qs_test::TempDirectory() + L"qs-log-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        qs_test::DeleteTree(folder_.substr(0, folder_.size() - 1));
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    }
    void TearDown() override { qs_test::DeleteTree(folder_.substr(0, folder_.size() - 1)); }

    qs_test::SetupLog Read(const std::wstring& path) {
        qs_test::SetupLog log;
        EXPECT_TRUE(qs_test::ReadSetupLog(path, log)) << "unreadable log";
        return log;
    }

    std::wstring folder_;
};

TEST_F(LogTest, EachRunGetsANewFileNamedAfterTheProgram) {
    std::vector<std::wstring> paths;
    for (int run = 0; run < 3; ++run) {
        CLog log(folder_, L"Setup.exe");
        paths.push_back(log.FilePath());
    }
    EXPECT_EQ(paths, (std::vector<std::wstring>{folder_ + L"Setup.exe.log", folder_ + L"Setup.exe0.log",
                                                folder_ + L"Setup.exe1.log"}));
}

TEST_F(LogTest, BannerThenTimedAnsiLines) {
    std::wstring path;
    {
        CLog log(folder_, L"setup.exe");
        path = log.FilePath();
        log.Print(L"Parameter : %ls", L"/S /L0407");
        log.Print(L"Number %d and narrow %hs", 42, "text");
    }
    const qs_test::SetupLog log = Read(path);
    const std::wstring slashes(60, L'/');
    const std::wstring blank = L"//" + std::wstring(56, L' ') + L"//\r\n";
    EXPECT_EQ(log.Normalised(),
              slashes + L"\r\n" + blank + L"// Quorvel Printer Installer Program" + std::wstring(22, L' ') +
                  L"//\r\n" + blank + slashes + L"\r\n\r\nData : DATE\r\n\r\n\r\n" +
                  L"[TIME]  Parameter : /S /L0407\r\n[TIME]  Number 42 and narrow text\r\n");
    EXPECT_TRUE(std::regex_match(log.banner, std::wregex(LR"([^]*Data : (Sunday|Monday|Tuesday|Wednesday|Thursday|Friday|Saturday), [A-Z][a-z]+ [0-9]{2}, 20[0-9]{2}\r\n\r\n\r\n)")));
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_TRUE(std::regex_match(log.lines[0], std::wregex(LR"(\[[0-2][0-9]\.[0-5][0-9]\.[0-5][0-9]\]  Parameter : /S /L0407)")));
}

TEST_F(LogTest, ErrorCodesAddTheSystemText) {
    std::wstring path;
    {
        CLog log(folder_, L"setup.exe");
        path = log.FilePath();
        log.PrintError(5, L"Open [%ls] fail", L"C:\\x");
        log.PrintError(0, L"Fine");
    }
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   5, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    ASSERT_NE(text, nullptr);
    const std::wstring system(text);
    LocalFree(text);
    const qs_test::SetupLog log = Read(path);
    const std::wstring all = log.Normalised();
    EXPECT_NE(all.find(L"[TIME]  Open [C:\\x] fail\r\n[TIME]  Error Code = 5 :" + system + L" \r\n[TIME]  Fine\r\n"),
              std::wstring::npos)
        << all;
}

TEST_F(LogTest, CharactersOutsideTheCodePageAreReplaced) {
    std::wstring path;
    {
        CLog log(folder_, L"setup.exe");
        path = log.FilePath();
        log.Print(L"Printer \x65E5\x672C name");
    }
    const qs_test::SetupLog log = Read(path);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], L"Printer ?? name");
}

TEST_F(LogTest, LongMessagesAreWrittenWhole) {
    std::wstring path;
    const std::wstring longText(10000, L'x');
    {
        CLog log(folder_, L"setup.exe");
        path = log.FilePath();
        log.Print(L"[%ls]", longText.c_str());
    }
    const qs_test::SetupLog log = Read(path);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].size(), longText.size() + 2);
    EXPECT_TRUE(log.messages[0] == L"[" + longText + L"]");
}

// A log whose formatting prints again, as a formatting callback might.
class CReentrantLog : public CLog {
public:
    using CLog::CLog;

protected:
    std::wstring Format(const wchar_t* format, va_list args) override {
        Print(L"from inside");
        return CLog::Format(format, args);
    }
};

TEST_F(LogTest, APrintFromInsideAPrintIsDropped) {
    std::wstring path;
    {
        CReentrantLog log(folder_, L"setup.exe");
        path = log.FilePath();
        log.Print(L"outer %d", 1);
    }
    const qs_test::SetupLog log = Read(path);
    EXPECT_EQ(log.messages, (std::vector<std::wstring>{L"outer 1"}));
}

TEST_F(LogTest, LinesFromManyThreadsAreAllWrittenWhole) {
    constexpr int kThreads = 8, kLines = 300;
    std::wstring path;
    {
        CLog log(folder_, L"setup.exe");
        path = log.FilePath();
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&log, t] {
                for (int i = 0; i < kLines; ++i) log.Print(L"thread %d line %d %ls", t, i, std::wstring(100, L'a' + t).c_str());
            });
        for (std::thread& thread : threads) thread.join();
    }
    const qs_test::SetupLog log = Read(path);
    ASSERT_EQ(log.messages.size(), static_cast<std::size_t>(kThreads * kLines));
    std::vector<int> next(kThreads, 0);
    for (const std::wstring& message : log.messages) {
        int t = -1, i = -1;
        ASSERT_EQ(swscanf(message.c_str(), L"thread %d line %d", &t, &i), 2) << message;
        ASSERT_TRUE(t >= 0 && t < kThreads);
        EXPECT_EQ(i, next[t]++);  // each thread's lines in order, none lost
        EXPECT_EQ(message.substr(message.size() - 100), std::wstring(100, static_cast<wchar_t>(L'a' + t)));
    }
}

TEST_F(LogTest, AFolderThatCannotHoldTheLogSilencesIt) {
    CLog log(folder_ + L"missing\\", L"setup.exe");
    EXPECT_FALSE(log.IsOpen());
    log.Print(L"nothing happens");
}

}  // namespace
