#pragma once
#include <cstddef>
#include <functional>

// How many times slower one piece of work is than another, measured in
// pairs: one slow run, then as many fast runs as take about as long, back to
// back. A drift in the machine's speed between two benchmarks, which a
// shared machine shows, then reaches both sides of a pair alike.
struct CPairedRatios {
    double median = 0;
    double minimum = 0;
    double maximum = 0;
    size_t pairs = 0;
};

CPairedRatios MeasurePairedRatios(const std::function<void()>& slow,
                                  const std::function<void()>& fast, size_t pairs);
