#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace tallyvane {

// Calls `work(i)` for every i below `count`, spread over the processor's cores: each thread takes
// the next run of indices until none is left, so that however many threads could be started
// (none in WebAssembly without them), those there are do it all. The first exception that any
// call throws stops the others from taking more and is thrown again here, once all have stopped.
template <typename Work>
void ParallelFor(std::size_t count, const Work& work) {
#ifdef __EMSCRIPTEN__
    const std::size_t threads = 1;
#else
    const std::size_t threads = std::max(1u, std::thread::hardware_concurrency());
#endif
    const std::size_t runLength = std::max<std::size_t>(1, count / (threads * 8));
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failed;
    const auto take = [&] {
        try {
            for (std::size_t begin; (begin = next.fetch_add(runLength)) < count;) {
                for (std::size_t i = begin; i < std::min(begin + runLength, count); ++i) {
                    work(i);
                }
            }
        } catch (...) {
            next = count;
            const std::lock_guard lock(failed);
            failure = failure ? failure : std::current_exception();
        }
    };
#ifndef __EMSCRIPTEN__
    {
        std::vector<std::jthread> helpers;
        try {
            while (helpers.size() + 1 < threads) {
                helpers.emplace_back(take);
            }
        } catch (const std::system_error&) {
            // No more threads to be had: the rest is taken by those there are, this one among them.
        }
        take();
    }
#else
    take();
#endif
    if (failure) {
        std::rethrow_exception(failure);
    }
}

}  // namespace tallyvane
