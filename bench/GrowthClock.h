#pragma once
// When each byte of a growing file arrived: a thread samples the file's size every
// millisecond, so that the moment a packet was written is known to about a
// millisecond without help from the writer.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class GrowthClock {
public:
    using Clock = std::chrono::steady_clock;

    explicit GrowthClock(std::string path) : path_(std::move(path)), sampler_([this] { sample(); }) {}
    ~GrowthClock()
    {
        stop_ = true;
        sampler_.join();
    }
    GrowthClock(const GrowthClock&) = delete;
    GrowthClock& operator=(const GrowthClock&) = delete;

    // The first moment the file was seen holding at least `bytes` bytes.
    std::optional<Clock::time_point> reached(uint64_t bytes) const
    {
        const std::lock_guard lock(mutex_);
        const auto found = std::lower_bound(samples_.begin(), samples_.end(), bytes,
                                            [](const Sample& s, uint64_t b) { return s.size < b; });
        return found == samples_.end() ? std::nullopt : std::optional(found->time);
    }

private:
    struct Sample {
        Clock::time_point time;
        uint64_t size;
    };
    void sample()
    {
        while (!stop_) {
            std::error_code ec;
            const uint64_t size = std::filesystem::file_size(path_, ec);
            if (!ec) {
                const std::lock_guard lock(mutex_);
                if (samples_.empty() || size > samples_.back().size)
                    samples_.push_back({Clock::now(), size});
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    std::string path_;
    mutable std::mutex mutex_;
    std::vector<Sample> samples_;
    std::atomic<bool> stop_{false};
    std::thread sampler_;
};

// The q-quantile (0..1) of `values`, which it sorts.
inline double quantile(std::vector<double>& values, double q)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(q * double(values.size())))];
}
