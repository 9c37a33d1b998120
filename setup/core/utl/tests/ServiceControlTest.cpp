// Starting, stopping and querying a service: Wine's print spooler, put back
// as it was after each test.
#include <gtest/gtest.h>

#include <windows.h>

#include "Utl.h"

namespace {

constexpr const wchar_t* kSpooler = L"Spooler";

class ServiceControlTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CUtl::QueryServiceState(kSpooler, &initial_), 0u); }
    void TearDown() override {
        DWORD state = 0;
        if (initial_ == SERVICE_RUNNING) {
            CUtl::StartServiceAndWait(kSpooler, &state);
        } else {
            CUtl::StopServiceAndWait(kSpooler, &state);
        }
    }

    DWORD initial_ = 0;
};

TEST_F(ServiceControlTest, StartAndStopWaitForTheState) {
    ASSERT_TRUE(initial_ == SERVICE_RUNNING || initial_ == SERVICE_STOPPED) << initial_;
    // Twice each: the second call finds the service in the state already.
    for (int round = 0; round < 2; ++round) {
        DWORD state = 0;
        EXPECT_EQ(CUtl::StartServiceAndWait(kSpooler, &state), 0u);
        EXPECT_EQ(state, static_cast<DWORD>(SERVICE_RUNNING));
        state = 0;
        EXPECT_EQ(CUtl::QueryServiceState(kSpooler, &state), 0u);
        EXPECT_EQ(state, static_cast<DWORD>(SERVICE_RUNNING));
    }
    for (int round = 0; round < 2; ++round) {
        DWORD state = 0;
        EXPECT_EQ(CUtl::StopServiceAndWait(kSpooler, &state), 0u);
        EXPECT_EQ(state, static_cast<DWORD>(SERVICE_STOPPED));
        state = 0;
        EXPECT_EQ(CUtl::QueryServiceState(kSpooler, &state), 0u);
        EXPECT_EQ(state, static_cast<DWORD>(SERVICE_STOPPED));
    }
    // The state is optional.
    EXPECT_EQ(CUtl::StartServiceAndWait(kSpooler), 0u);
    EXPECT_EQ(CUtl::StopServiceAndWait(kSpooler), 0u);
}

TEST(ServiceControl, FailuresGiveTheSystemsErrorCode) {
    const wchar_t* missing = L"QsTestNoSuchService";
    DWORD state = 12345;
    EXPECT_EQ(CUtl::QueryServiceState(missing, &state), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
    EXPECT_EQ(CUtl::StartServiceAndWait(missing, &state), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
    EXPECT_EQ(CUtl::StopServiceAndWait(missing, &state), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
    EXPECT_EQ(state, 12345u) << "no state for a service that is not there";
    EXPECT_EQ(CUtl::QueryServiceState(kSpooler, nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(CUtl::QueryServiceState(nullptr, &state), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
