#pragma once

#include <cstdint>
#include <vector>

// How long the passes of a run took, kept as a histogram of whole microseconds so that a
// run of any length holds the same memory (a soak measures the process it runs in).
// Passes of 65 ms or more share the last bucket.
class PassTimes {
public:
    PassTimes();
    void add(double us);
    long count() const { return count_; }
    double totalUs() const { return totalUs_; }
    // The time at quantile q (0 to 1) of the passes added, to the microsecond.
    double quantile(double q) const;

private:
    std::vector<uint32_t> buckets_; // buckets_[i]: passes that took i us (the last: or more)
    long count_ = 0;
    double totalUs_ = 0.0;
};
