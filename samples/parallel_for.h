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
    const std::size_t threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::jthread> helpers;
    for (std::size_t t = 1; t < threads; ++t) {
        const std::size_t begin = count * t / threads, end = count * (t + 1) / threads;
        try {
            helpers.emplace_back(run, begin, end);
        } catch (const std::system_error&) {
            run(begin, end);  // no thread to be had: this one does that share too
        }
    }
    run(0, count / threads);
#endif
}

}  // namespace tallyvane
