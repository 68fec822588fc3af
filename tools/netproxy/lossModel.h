#pragma once

#include <cstdint>
#include <vector>

#include "tools/netproxy/splitMix.h"

// A time when the link is down: every datagram that arrives in it, either way, is lost.
struct Outage {
    long startMs = 0;  // after the proxy starts
    long lengthMs = 0; // down from startMs up to, not including, startMs + lengthMs
};

// How bad the link is, the same both ways.
struct Impairment {
    long delayMs = 0;        // added to every datagram
    long jitterMs = 0;       // each copy waits a further 0..jitterMs, uniform
    double lossPct = 0;      // chance, 0-100, that a datagram is dropped
    double duplicatePct = 0; // chance that a second copy is sent
    double reorderPct = 0;   // chance that a datagram is held back 1..delay/2+5 ms more
    std::vector<Outage> outages;
};

// What becomes of one datagram.
struct Fate {
    enum Drop { none, loss, outage };
    Drop drop = none;
    bool duplicated = false;  // a second copy goes too
    bool reordered = false;   // held back so that later datagrams overtake it
    long afterMs[2] = {0, 0}; // wait of the datagram and of its copy, from arrival
};

// Decides each datagram's fate from one seeded generator. Every datagram draws the same
// numbers whatever becomes of it, so the n-th datagram's fate depends only on the seed
// and n, not on the outages or on which earlier ones were dropped.
class LossModel {
public:
    LossModel(const Impairment& impairment, uint64_t seed);

    // The fate of the next datagram, arrived `arrivalMs` after the proxy started.
    Fate decide(long arrivalMs);
    bool inOutage(long ms) const;
    const Impairment& impairment() const { return impairment_; }

private:
    Impairment impairment_;
    SplitMix random_;
};
