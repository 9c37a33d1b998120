#include "InstallProgress.h"

CInstallProgress::CInstallProgress(std::int32_t steps)
    : alpha_(steps >= 4 ? 666 : steps == 3 ? 1332 : 1998),
      remaining_(steps > 0 ? steps : 1),
      periodSize_(kRange / remaining_),
      endPoint_(periodSize_) {}

std::int32_t CInstallProgress::Tick(std::int32_t position) const {
    if (position >= 98000) return position;
    const double d = position - startPoint_;
    const double w = periodSize_;
    double step = 0;
    if (d < 0.5 * w) step = alpha_;
    else if (d < 0.7 * w) step = alpha_ * 0.5;
    else if (d < w) step = alpha_ * 0.3;
    else if (d < 1.5 * w) step = alpha_ * 0.2;
    return position + static_cast<std::int32_t>(step);
}

void CInstallProgress::EndStep(std::int32_t position) {
    if (remaining_ > 1) --remaining_;
    const double d = position - startPoint_;
    const double w = periodSize_;
    double alpha = alpha_;
    if (d < 0.1 * w) alpha = static_cast<std::int32_t>(alpha * 4);
    if (d < 0.25 * w) alpha = static_cast<std::int32_t>(alpha * 3);
    else if (d < 0.5 * w) alpha = static_cast<std::int32_t>(alpha * 2);
    else if (d < 0.7 * w) alpha = static_cast<std::int32_t>(alpha * 1.5);
    else if (d < w) {
    } else if (d < 1.25 * w) alpha = static_cast<std::int32_t>(alpha * 0.5);
    else if (d > 1.25 * w && d < 1.5 * w) alpha = static_cast<std::int32_t>(alpha * 0.3);
    else if (d == 1.5 * w) alpha = static_cast<std::int32_t>(alpha * 0.2);
    alpha_ = alpha < 20 ? 20 : static_cast<std::int32_t>(alpha);
    startPoint_ = position;
    periodSize_ = (kRange - position) / remaining_;
    endPoint_ = position + periodSize_;
}
