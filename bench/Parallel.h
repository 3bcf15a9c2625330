#pragma once

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

// Runs job(0..count-1) on the given number of threads; each job writes only its own result slot.
inline void parallelFor(int count, int threads, const std::function<void(int)>& job)
{
    std::atomic<int> next{0};
    std::vector<std::thread> pool;
    for (int t = 0; t < std::max(1, threads); ++t)
        pool.emplace_back([&] {
            for (int i; (i = next++) < count;)
                job(i);
        });
    for (auto& th : pool)
        th.join();
}
