#include "bench/settings/paired_ratio.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using CClock = std::chrono::steady_clock;

double SecondsSince(CClock::time_point start) {
    return std::chrono::duration<double>(CClock::now() - start).count();
}

} // namespace

CPairedRatios MeasurePairedRatios(const std::function<void()>& slow,
                                  const std::function<void()>& fast, size_t pairs) {
    std::vector<double> ratios;
    for (size_t pair = 0; pair < pairs; ++pair) {
        const auto slowStart = CClock::now();
        slow();
        const double slowSeconds = SecondsSince(slowStart);

        size_t fastRuns = 0;
        const auto fastStart = CClock::now();
        double fastSeconds = 0;
        do {
            fast();
            ++fastRuns;
            fastSeconds = SecondsSince(fastStart);
        } while (fastSeconds < slowSeconds);
        ratios.push_back(slowSeconds / (fastSeconds / static_cast<double>(fastRuns)));
    }
    if (ratios.empty()) {
        return {};
    }
    std::sort(ratios.begin(), ratios.end());
    return {ratios[ratios.size() / 2], ratios.front(), ratios.back(), ratios.size()};
}
