#pragma once
// Runs work(i) for i in [0, count) on `threads` threads (0: one per core), each taking the next
// index as it finishes one, so slow items (a film to open) do not hold up the rest. progress(done)
// is called on the calling thread, which works too, after each item it finishes. work must be
// safe to run concurrently for different i; exceptions must not leave it.
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <functional>
#include <thread>
#include <vector>

namespace quindel::build {

inline void ParallelFor(std::size_t count, unsigned threads,
                        const std::function<void(std::size_t)>& work,
                        const std::function<void(std::size_t)>& progress = {}) {
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads = unsigned(std::min<std::size_t>(threads, std::max<std::size_t>(count, 1)));
    std::atomic<std::size_t> next{0}, done{0};
    auto run = [&](bool report) {
        for (std::size_t i; (i = next.fetch_add(1)) < count;) {
            work(i);
            const std::size_t n = done.fetch_add(1) + 1;
            if (report && progress) progress(n);
        }
    };
    std::vector<std::jthread> helpers;
    for (unsigned t = 1; t < threads; ++t) helpers.emplace_back(run, false);
    run(true);
}

}  // namespace quindel::build
