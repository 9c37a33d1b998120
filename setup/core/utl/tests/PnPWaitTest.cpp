// Waiting for the system's device installations, through a scripted wait and
// against the system's own.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "Utl.h"

namespace {

// Answers the waits from a script; the last answer repeats. Never sleeps.
class ScriptedWait {
public:
    ScriptedWait(std::vector<DWORD> answers, std::size_t repeatLastUpTo = 0)
        : answers_(std::move(answers)), limit_(repeatLastUpTo) {}

    DWORD operator()(DWORD timeoutMs) {
        timeouts.push_back(timeoutMs);
        const std::size_t at = timeouts.size() - 1;
        if (at < answers_.size()) return answers_[at];
        // Past the script: the last answer, until the limit (then nothing is pending).
        return limit_ != 0 && at >= limit_ ? WAIT_OBJECT_0 : answers_.back();
    }

    std::vector<DWORD> timeouts;

private:
    std::vector<DWORD> answers_;
    std::size_t limit_;
};

TEST(WaitForPnP, WaitsWhilePendingWithinItsLimit) {
    struct Case {
        const char* what;
        bool unlimited;
        std::vector<DWORD> answers;
        std::size_t pendingUntil;  // 0: the script as it is
        bool waited;
        std::size_t waits;
        int stillPendingCalls;
    };
    const Case cases[] = {
        {"nothing pending", false, {WAIT_OBJECT_0}, 0, false, 1, 0},
        {"nothing pending, unlimited", true, {WAIT_OBJECT_0}, 0, false, 1, 0},
        {"the wait fails", false, {WAIT_FAILED}, 0, false, 1, 0},
        {"the wait fails, unlimited", true, {WAIT_FAILED}, 0, false, 1, 0},
        {"pending for two seconds", false, {WAIT_TIMEOUT, WAIT_TIMEOUT, WAIT_OBJECT_0}, 0, true, 3, 0},
        {"pending for ever, limited", false, {WAIT_TIMEOUT}, 0, true, 62, 0},
        {"pending for 61 seconds", false, {WAIT_TIMEOUT}, 61, true, 62, 0},
        {"pending for 60 seconds", false, {WAIT_TIMEOUT}, 60, true, 61, 0},
        {"pending for two seconds, unlimited", true, {WAIT_TIMEOUT, WAIT_TIMEOUT, WAIT_OBJECT_0}, 0, true, 3, 1},
        {"pending for 500 seconds, unlimited", true, {WAIT_TIMEOUT}, 500, true, 501, 499},
        {"a later wait fails, unlimited", true, {WAIT_TIMEOUT, WAIT_TIMEOUT, WAIT_FAILED}, 0, true, 3, 1},
    };
    for (const Case& c : cases) {
        ScriptedWait wait(c.answers, c.pendingUntil);
        int calls = 0;
        const bool waited = CUtl::WaitForPnP(
            c.unlimited, [&calls] { ++calls; }, [&wait](DWORD timeoutMs) { return wait(timeoutMs); });
        EXPECT_EQ(waited, c.waited) << c.what;
        EXPECT_EQ(wait.timeouts.size(), c.waits) << c.what;
        EXPECT_EQ(calls, c.stillPendingCalls) << c.what;
        for (const DWORD timeout : wait.timeouts) EXPECT_EQ(timeout, 1000u) << c.what;
    }
}

TEST(WaitForPnP, NoCallbackAndFailingCallbacks) {
    ScriptedWait wait({WAIT_TIMEOUT, WAIT_TIMEOUT, WAIT_OBJECT_0});
    EXPECT_TRUE(CUtl::WaitForPnP(true, {}, [&wait](DWORD timeoutMs) { return wait(timeoutMs); }));
    EXPECT_EQ(wait.timeouts.size(), 3u);

    const auto throwing = [] { throw std::runtime_error("support library gone"); };
    EXPECT_FALSE(CUtl::WaitForPnP(true, throwing, [](DWORD) -> DWORD { return WAIT_TIMEOUT; }));
    EXPECT_FALSE(CUtl::WaitForPnP(false, {}, [](DWORD) -> DWORD { throw std::runtime_error("wait"); }));
    EXPECT_FALSE(CUtl::WaitForPnP(false, {}, CUtl::PendingInstallWait()));
}

TEST(WaitForPnP, TheSystemHasNothingPending) {
    // Wine's setupapi exports CMP_WaitNoPendingInstallEvents and has no device
    // installations: no wait in either form, and the hook is never called.
    int calls = 0;
    EXPECT_FALSE(CUtl::WaitForPnP(false));
    EXPECT_FALSE(CUtl::WaitForPnP(true, [&calls] { ++calls; }));
    EXPECT_EQ(calls, 0);
}

}  // namespace
