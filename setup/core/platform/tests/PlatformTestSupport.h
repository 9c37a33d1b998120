#pragma once
// A test with a private folder and setup's log pointed into it.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Log.h"

class CLoggedTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a profile file (UTF-16 LE, no byte-order mark) into the folder.
    std::wstring WriteProfile(const std::wstring& name, const std::wstring& text);
    // Ends the log and returns its messages (each line without its time); the
    // lines that follow go to a new log.
    std::vector<std::wstring> LogMessages();

    std::wstring folder_;  // ends with a backslash

private:
    void StartLog();

    std::unique_ptr<CLog> log_;
};
