#pragma once
#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

// The console report, and the times of every repetition kept by benchmark
// name, so that a run can end with ratios measured side by side. On a
// shared machine the CPU time is the steadier of the two.
class CRunSummary : public benchmark::ConsoleReporter {
public:
    enum class EClock { Real, Cpu };

    void ReportRuns(const std::vector<Run>& runs) override;

    // Seconds per iteration over the repetitions; 0 if the benchmark did not run.
    double Minimum(const std::string& name, EClock clock) const;
    double Median(const std::string& name, EClock clock) const;
    size_t Repetitions(const std::string& name) const;

private:
    const std::vector<double>* Times(const std::string& name, EClock clock) const;

    std::map<std::string, std::vector<double>> m_realSeconds;
    std::map<std::string, std::vector<double>> m_cpuSeconds;
};
