#include "tools/runner/passTimes.h"

#include <cstddef>

namespace {
constexpr std::size_t kBuckets = 65536;
} // namespace

PassTimes::PassTimes() : buckets_(kBuckets, 0) {}

void PassTimes::add(double us) {
    std::size_t at = us <= 0.0 ? 0 : static_cast<std::size_t>(us);
    if (at >= kBuckets)
        at = kBuckets - 1;
    ++buckets_[at];
    ++count_;
    totalUs_ += us;
}

double PassTimes::quantile(double q) const {
    if (count_ == 0)
        return 0.0;
    // The same rank as indexing a sorted list of every pass at q x (count - 1).
    long rank = static_cast<long>(q * static_cast<double>(count_ - 1));
    long seen = 0;
    for (std::size_t i = 0; i < buckets_.size(); ++i) {
        seen += buckets_[i];
        if (seen > rank)
            return static_cast<double>(i);
    }
    return static_cast<double>(buckets_.size() - 1);
}
