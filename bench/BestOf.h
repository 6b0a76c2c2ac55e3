#pragma once
// The best of several timings of one piece of work, in seconds. What the work
// returns is released after its timing, so that freeing is not counted.

#include <algorithm>
#include <chrono>
#include <type_traits>

template <class F>
double bestOf(int runs, F&& work)
{
    using Clock = std::chrono::steady_clock;
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if constexpr (std::is_void_v<std::invoke_result_t<F&>>) {
            work();
            best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
        } else {
            [[maybe_unused]] auto built = work();
            best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
        }
    }
    return best;
}
