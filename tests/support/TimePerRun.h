#pragma once
// The mean time of one run of an action, for the figures the benchmarks print.
#include <chrono>

namespace TolvTest {

// Period: std::milli, std::micro, ...
template <typename Period, typename Action>
double MeanTimePerRun(int runs, Action action)
{
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < runs; ++n) {
        action();
    }
    return std::chrono::duration<double, Period>(std::chrono::steady_clock::now() - start).count() / runs;
}

} // namespace TolvTest
