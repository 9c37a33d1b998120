#pragma once
// The estimating progress bar of an install page: the bar (0 to 100000) is
// split into one period per step; a timer moves it on within the period,
// slower as the period runs out, and each step that ends early makes the next
// one move faster (a step that overran, slower).

#include <cstdint>

class CInstallProgress {
public:
    static constexpr std::int32_t kRange = 100000;

    // |steps|: the selected components plus the finishing step.
    explicit CInstallProgress(std::int32_t steps);

    // The bar's position after one timer tick from |position|.
    std::int32_t Tick(std::int32_t position) const;
    // A step ended with the bar at |position|.
    void EndStep(std::int32_t position);

    std::int32_t Alpha() const { return alpha_; }
    std::int32_t PeriodSize() const { return periodSize_; }
    std::int32_t StartPoint() const { return startPoint_; }
    std::int32_t EndPoint() const { return endPoint_; }
    std::int32_t RemainingSteps() const { return remaining_; }

private:
    std::int32_t alpha_;
    std::int32_t remaining_;
    std::int32_t startPoint_ = 0;
    std::int32_t periodSize_;
    std::int32_t endPoint_;
};
