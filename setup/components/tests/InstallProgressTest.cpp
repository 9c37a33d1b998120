// The estimating progress bar of an install page.
#include <gtest/gtest.h>

#include "InstallProgress.h"

namespace {

TEST(InstallProgressTest, StepsSetTheFirstPeriodAndSpeed) {
    struct Case {
        int steps, alpha, period;
    };
    for (const Case c : {Case{6, 666, 16666}, Case{4, 666, 25000}, Case{3, 1332, 33333}, Case{2, 1998, 50000},
                         Case{1, 1998, 100000}}) {
        const CInstallProgress progress(c.steps);
        EXPECT_EQ(progress.Alpha(), c.alpha) << c.steps;
        EXPECT_EQ(progress.PeriodSize(), c.period) << c.steps;
        EXPECT_EQ(progress.EndPoint(), c.period) << c.steps;
    }
}

TEST(InstallProgressTest, TicksSlowDownAsThePeriodRunsOut) {
    const CInstallProgress progress(6);  // alpha 666, period 16666
    EXPECT_EQ(progress.Tick(0), 666);
    EXPECT_EQ(progress.Tick(9000), 9000 + 333);     // past half the period
    EXPECT_EQ(progress.Tick(12000), 12000 + 199);   // past 0.7
    EXPECT_EQ(progress.Tick(20000), 20000 + 133);   // overran, below 1.5
    EXPECT_EQ(progress.Tick(30000), 30000);         // far beyond
    EXPECT_EQ(CInstallProgress(1).Tick(98000), 98000);
}

TEST(InstallProgressTest, AnEarlyStepSpeedsUpTheNextOneAndALateOneSlowsIt) {
    CInstallProgress early(6);
    early.EndStep(1000);  // below 0.1 of the period: times 4, then times 3
    EXPECT_EQ(early.Alpha(), 666 * 12);
    EXPECT_EQ(early.StartPoint(), 1000);
    EXPECT_EQ(early.RemainingSteps(), 5);
    EXPECT_EQ(early.PeriodSize(), (100000 - 1000) / 5);

    CInstallProgress onTime(6);
    onTime.EndStep(15000);  // within the period: unchanged
    EXPECT_EQ(onTime.Alpha(), 666);

    CInstallProgress late(2);  // alpha 1998, period 50000
    late.EndStep(70000);       // 1.4 periods: times 0.3
    EXPECT_EQ(late.Alpha(), 599);
    CInstallProgress slow(6);
    for (int i = 0; i < 5; ++i) slow.EndStep(99000);  // never below 20, never a zero step count
    EXPECT_GE(slow.Alpha(), 20);
    EXPECT_EQ(slow.RemainingSteps(), 1);
}

}  // namespace
