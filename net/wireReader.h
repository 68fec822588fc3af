#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct inputFrame;

// Reads a message's bytes as wireWriter wrote them, never past their end: every read
// says whether it could, and a frame is only one the game makes (known held bits, at
// most kMaxPresses presses of one known bit each).
class wireReader {
public:
    wireReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool u8(uint8_t& v);
    bool u16(uint16_t& v);
    bool u32(uint32_t& v);
    bool u64(uint64_t& v);
    bool text(std::string& s);
    bool frame(inputFrame& f);
    // Every byte was read: a message with bytes left over is not one we sent.
    bool atEnd() const { return at_ == size_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};
