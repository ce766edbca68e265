#include "bench/support/run_summary.h"

#include <algorithm>

void CRunSummary::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type == Run::RT_Iteration && run.iterations > 0 && !run.error_occurred) {
            const auto iterations = static_cast<double>(run.iterations);
            m_realSeconds[run.run_name.function_name].push_back(run.real_accumulated_time /
                                                                iterations);
            m_cpuSeconds[run.run_name.function_name].push_back(run.cpu_accumulated_time /
                                                               iterations);
        }
    }
}

const std::vector<double>* CRunSummary::Times(const std::string& name, EClock clock) const {
    const auto& times = clock == EClock::Real ? m_realSeconds : m_cpuSeconds;
    const auto found = times.find(name);
    return found == times.end() ? nullptr : &found->second;
}

double CRunSummary::Minimum(const std::string& name, EClock clock) const {
    const auto* times = Times(name, clock);
    return times == nullptr ? 0 : *std::ranges::min_element(*times);
}

double CRunSummary::Median(const std::string& name, EClock clock) const {
    const auto* times = Times(name, clock);
    if (times == nullptr) {
        return 0;
    }
    std::vector<double> sorted = *times;
    std::ranges::sort(sorted);
    const size_t middle = sorted.size() / 2;
    return sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

size_t CRunSummary::Repetitions(const std::string& name) const {
    const auto* times = Times(name, EClock::Cpu);
    return times == nullptr ? 0 : times->size();
}
