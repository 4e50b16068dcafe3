#pragma once

#include <algorithm>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace tallyvane {

// Calls `work(i)` for every i below `count`, spread over the processor's cores in contiguous
// runs; on one core, or where threads cannot be had (WebAssembly without them), in this thread.
template <typename Work>
void ParallelFor(std::size_t count, const Work& work) {
    const auto run = [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            work(i);
        }
    };
#ifdef __EMSCRIPTEN__
    run(0, count);
#else
    const std::size_t threads = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1,
                                                        std::max<std::size_t>(count, 1));
    std::vector<std::jthread> helpers;
    const std::size_t share = count / threads;
    try {
        for (std::size_t t = 1; t < threads; ++t) {
            helpers.emplace_back(run, t * share, t + 1 == threads ? count : (t + 1) * share);
        }
    } catch (const std::system_error&) {
        // No more threads: this one does the rest of the work.
        const std::size_t started = helpers.size();
        run(0, share);
        run((started + 1) * share, count);
        return;
    }
    run(0, share);
#endif
}

}  // namespace tallyvane
