#include "PlatformTestSupport.h"

#include <windows.h>

#include <atomic>

#include "LogReader.h"
#include "Medium.h"

void CLoggedTest::SetUp() {
    static std::atomic<unsigned> counter{0};
    folder_ = qs_test::TempDirectory() + L"qs-platform-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(counter++) + L"\\";
    qs_test::DeleteTree(folder_.substr(0, folder_.size() - 1));
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    StartLog();
}

void CLoggedTest::TearDown() {
    SetGlobalLog(nullptr);
    log_.reset();
    qs_test::DeleteTree(folder_.substr(0, folder_.size() - 1));
}

void CLoggedTest::StartLog() {
    log_ = std::make_unique<CLog>(folder_, L"setup.exe");
    ASSERT_TRUE(log_->IsOpen());
    SetGlobalLog(log_.get());
}

std::wstring CLoggedTest::WriteProfile(const std::wstring& name, const std::wstring& text) {
    const std::wstring path = folder_ + name;
    EXPECT_TRUE(qs_test::WriteProfileFile(path, text)) << "cannot write " << testing::PrintToString(path);
    return path;
}

std::vector<std::wstring> CLoggedTest::LogMessages() {
    if (!log_) return {};
    const std::wstring path = log_->FilePath();
    SetGlobalLog(nullptr);
    log_.reset();
    qs_test::SetupLog log;
    EXPECT_TRUE(qs_test::ReadSetupLog(path, log));
    StartLog();
    return log.messages;
}
