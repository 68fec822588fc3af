#include "net/netMessage.h"

#include "net/wireReader.h"
#include "net/wireWriter.h"

namespace {

wireWriter begin(netType t) {
    wireWriter w;
    w.u8(static_cast<uint8_t>(t));
    return w;
}

// A reader past the type byte, when the bytes are of type `t`.
bool open(wireReader& r, netType t) {
    uint8_t type = 0;
    return r.u8(type) && type == static_cast<uint8_t>(t);
}

bool stepNumber(wireReader& r, uint32_t& v) {
    return r.u32(v) && v <= kMostStep;
}

} // namespace

netType messageType(const uint8_t* data, size_t size) {
    if (!data || size == 0 || data[0] < 1 || data[0] > static_cast<uint8_t>(netType::steps))
        return netType::none;
    return static_cast<netType>(data[0]);
}

std::string encode(const helloMessage& m) {
    wireWriter w = begin(netType::hello);
    w.u16(m.protocol);
    w.text(m.game);
    w.text(m.data);
    size_t n = m.characters.size() < kMostCharacters ? m.characters.size() : kMostCharacters;
    w.u8(static_cast<uint8_t>(n));
    for (size_t i = 0; i < n; ++i) {
        w.text(m.characters[i].name);
        w.text(m.characters[i].fingerprint);
    }
    w.u8(m.watcher);
    w.text(m.character);
    return w.bytes();
}

bool decode(const uint8_t* data, size_t size, helloMessage& m) {
    wireReader r(data, size);
    uint8_t n = 0;
    // The protocol comes first so that a later protocol's hello is still told apart.
    if (!open(r, netType::hello) || !r.u16(m.protocol))
        return false;
    if (m.protocol != kNetProtocol)
        return true;
    if (!r.text(m.game) || !r.text(m.data) || !r.u8(n) || n > kMostCharacters)
        return false;
    m.characters.assign(n, characterPrint{});
    for (characterPrint& c : m.characters)
        if (!r.text(c.name) || !r.text(c.fingerprint))
            return false;
    return r.u8(m.watcher) && m.watcher <= 1 && r.text(m.character) && r.atEnd();
}

std::string encode(const refuseMessage& m) {
    wireWriter w = begin(netType::refuse);
    w.text(m.reason);
    return w.bytes();
}

bool decode(const uint8_t* data, size_t size, refuseMessage& m) {
    wireReader r(data, size);
    return open(r, netType::refuse) && r.text(m.reason) && r.atEnd();
}

std::string encode(const startMessage& m) {
    wireWriter w = begin(netType::start);
    w.u16(m.match);
    w.u64(m.seed);
    w.u8(m.rounds);
    w.u16(m.startHp);
    w.text(m.characters[0]);
    w.text(m.characters[1]);
    w.u8(m.roundSeconds);
    return w.bytes();
}

bool decode(const uint8_t* data, size_t size, startMessage& m) {
    wireReader r(data, size);
    if (!open(r, netType::start) || !r.u16(m.match) || !r.u64(m.seed) || !r.u8(m.rounds) ||
        !r.u16(m.startHp) || !r.text(m.characters[0]) || !r.text(m.characters[1]) ||
        !r.u8(m.roundSeconds))
        return false;
    bool roundsOk = m.rounds >= 1 && m.rounds <= 9 && m.rounds % 2 == 1;
    bool timeOk =
        m.roundSeconds == 0 || m.roundSeconds == 30 || m.roundSeconds == 60 || m.roundSeconds == 99;
    return roundsOk && timeOk && m.startHp >= 1 && m.startHp <= 1000 && r.atEnd();
}

std::string encode(const inputsMessage& m) {
    wireWriter w = begin(netType::inputs);
    w.u16(m.match);
    w.u32(m.ack);
    w.u32(m.at);
    w.u32(m.first);
    size_t n = m.frames.size() < kMostFrames ? m.frames.size() : kMostFrames;
    w.u8(static_cast<uint8_t>(n));
    for (size_t i = 0; i < n; ++i)
        w.frame(m.frames[i]);
    return w.bytes();
}

bool decode(const uint8_t* data, size_t size, inputsMessage& m) {
    wireReader r(data, size);
    uint8_t n = 0;
    if (!open(r, netType::inputs) || !r.u16(m.match) || !stepNumber(r, m.ack) ||
        !stepNumber(r, m.at) || !stepNumber(r, m.first) || !r.u8(n) || n > kMostFrames ||
        m.first + n > kMostStep)
        return false;
    m.frames.assign(n, inputFrame{});
    for (inputFrame& f : m.frames)
        if (!r.frame(f))
            return false;
    return r.atEnd();
}

std::string encode(const checksumMessage& m) {
    wireWriter w = begin(netType::checksum);
    w.u16(m.match);
    w.u32(m.step);
    w.u32(m.value);
    return w.bytes();
}

bool decode(const uint8_t* data, size_t size, checksumMessage& m) {
    wireReader r(data, size);
    return open(r, netType::checksum) && r.u16(m.match) && stepNumber(r, m.step) &&
           r.u32(m.value) && r.atEnd();
}

std::string encode(const desyncMessage& m) {
    wireWriter w = begin(netType::desync);
    w.u32(m.step);
    uint32_t n =
        m.state.size() < kMostStateBytes ? static_cast<uint32_t>(m.state.size()) : kMostStateBytes;
    w.u32(n);
    std::string bytes = w.bytes();
    bytes.append(m.state, 0, n);
    return bytes;
}

bool decode(const uint8_t* data, size_t size, desyncMessage& m) {
    wireReader r(data, size);
    uint32_t n = 0;
    if (!open(r, netType::desync) || !stepNumber(r, m.step) || !r.u32(n) || n > kMostStateBytes ||
        n != size - 9)
        return false;
    m.state.assign(reinterpret_cast<const char*>(data + 9), n);
    return true;
}

std::string encode(const quitMessage& m) {
    wireWriter w = begin(netType::quit);
    w.u16(m.match);
    w.u32(m.step);
    w.u8(m.back);
    return w.bytes();
}

bool decode(const uint8_t* data, size_t size, quitMessage& m) {
    wireReader r(data, size);
    return open(r, netType::quit) && r.u16(m.match) && stepNumber(r, m.step) && r.u8(m.back) &&
           m.back <= 1 && r.atEnd();
}

std::string encode(const choiceMessage& m) {
    wireWriter w = begin(netType::choice);
    w.u8(m.cursor);
    w.u8(m.picked);
    return w.bytes();
}

bool decode(const uint8_t* data, size_t size, choiceMessage& m) {
    wireReader r(data, size);
    return open(r, netType::choice) && r.u8(m.cursor) && m.cursor < kMostCharacters &&
           r.u8(m.picked) && m.picked <= 1 && r.atEnd();
}

std::string encode(const stepsMessage& m) {
    wireWriter w = begin(netType::steps);
    w.u16(m.match);
    w.u32(m.first);
    size_t n = m.steps.size() < kMostFrames ? m.steps.size() : kMostFrames;
    w.u8(static_cast<uint8_t>(n));
    for (size_t i = 0; i < n; ++i) {
        w.frame(m.steps[i][0]);
        w.frame(m.steps[i][1]);
    }
    return w.bytes();
}

bool decode(const uint8_t* data, size_t size, stepsMessage& m) {
    wireReader r(data, size);
    uint8_t n = 0;
    if (!open(r, netType::steps) || !r.u16(m.match) || !stepNumber(r, m.first) || !r.u8(n) ||
        n > kMostFrames || m.first + n > kMostStep)
        return false;
    m.steps.assign(n, stepInput{});
    for (stepInput& s : m.steps)
        if (!r.frame(s[0]) || !r.frame(s[1]))
            return false;
    return r.atEnd();
}
