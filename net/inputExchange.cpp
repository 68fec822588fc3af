#include "net/inputExchange.h"

void inputExchange::reset(int delay) {
    local_.assign(static_cast<size_t>(delay < 0 ? 0 : delay), inputFrame{});
    remote_.clear();
    peerAck_ = 0;
    peerAt_ = 0;
}

void inputExchange::addLocal(const inputFrame& f) {
    if (localEnd() < static_cast<long>(kMostStep))
        local_.push_back(f);
}

inputFrame inputExchange::local(long step) const {
    if (step < 0 || step >= localEnd())
        return inputFrame{};
    return local_[static_cast<size_t>(step)];
}

inputFrame inputExchange::remote(long step) const {
    if (step >= 0 && step < remoteEnd())
        return remote_[static_cast<size_t>(step)];
    inputFrame guess;
    if (!remote_.empty())
        guess.held = remote_.back().held & static_cast<uint8_t>(~inputFrame::rematch);
    return guess;
}

bool inputExchange::take(const inputsMessage& m, long& firstNew) {
    firstNew = -1;
    long first = static_cast<long>(m.first);
    long end = first + static_cast<long>(m.frames.size());
    if (static_cast<long>(m.ack) > localEnd() || first > remoteEnd() ||
        end > remoteEnd() + kMostFrames)
        return false;
    if (static_cast<long>(m.ack) > peerAck_)
        peerAck_ = static_cast<long>(m.ack);
    // Messages may come out of order: only a newer word on the peer's steps counts.
    if (static_cast<long>(m.at) > peerAt_)
        peerAt_ = static_cast<long>(m.at);
    for (long step = remoteEnd(); step < end; ++step) {
        if (firstNew < 0)
            firstNew = step;
        remote_.push_back(m.frames[static_cast<size_t>(step - first)]);
    }
    return true;
}

inputsMessage inputExchange::outgoing(long at) const {
    inputsMessage m;
    m.ack = static_cast<uint32_t>(remoteEnd());
    m.at = static_cast<uint32_t>(at);
    m.first = static_cast<uint32_t>(peerAck_);
    long end = localEnd() < peerAck_ + kMostFrames ? localEnd() : peerAck_ + kMostFrames;
    for (long step = peerAck_; step < end; ++step)
        m.frames.push_back(local_[static_cast<size_t>(step)]);
    return m;
}
