#pragma once

#include <vector>

#include "control/inputFrame.h"
#include "net/netMessage.h"

// The input of an online match as one side knows it: its own frames, known a few steps
// ahead of the fight (the input delay), and the peer's, confirmed up to where its
// messages have come and predicted beyond: a prediction holds what the peer last held
// and invents no presses. Steps count from 0, the match's first.
class inputExchange {
public:
    // How far the fight may run on predicted frames before it waits for the peer.
    static constexpr long kMostPredicted = 12;

    // A new match, own frames delayed by `delay` steps: the first `delay` are empty.
    void reset(int delay);
    // Own frame of the next step not yet given, localEnd().
    void addLocal(const inputFrame& f);
    long localEnd() const { return static_cast<long>(local_.size()); }
    // The peer's frames are confirmed below this step.
    long remoteEnd() const { return static_cast<long>(remote_.size()); }
    // The peer holds every own frame below this step.
    long peerAck() const { return peerAck_; }
    // The steps the peer said it had run, in its newest message.
    long peerAt() const { return peerAt_; }
    // Own frame of a step below localEnd(); an empty frame past it.
    inputFrame local(long step) const;
    // The peer's frame of a step: confirmed, or predicted from its last confirmed one.
    inputFrame remote(long step) const;
    // Takes a peer's message. False, taking nothing, when it acknowledges frames never
    // sent or carries frames where no peer's can be (beyond a message's reach past what
    // is confirmed). `firstNew` is the first step it confirmed, or -1 for none.
    bool take(const inputsMessage& m, long& firstNew);
    // What to send: every own frame the peer has not acknowledged (at most a message's
    // worth), this side's acknowledgement, and `at`, the steps this side has run.
    inputsMessage outgoing(long at) const;

private:
    std::vector<inputFrame> local_;
    std::vector<inputFrame> remote_;
    long peerAck_ = 0;
    long peerAt_ = 0;
};
