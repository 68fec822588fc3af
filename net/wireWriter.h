#pragma once

#include <cstdint>
#include <string>

struct inputFrame;

// Builds a message's bytes: numbers little-endian, texts as a length byte and at most
// 255 bytes, input frames as held bits, a press count and the presses.
class wireWriter {
public:
    void u8(uint8_t v);
    void u16(uint16_t v);
    void u32(uint32_t v);
    void u64(uint64_t v);
    // A text longer than 255 bytes is cut there.
    void text(const std::string& s);
    void frame(const inputFrame& f);
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};
