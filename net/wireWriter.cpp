#include "net/wireWriter.h"

#include "control/inputFrame.h"

void wireWriter::u8(uint8_t v) {
    bytes_ += static_cast<char>(v);
}

void wireWriter::u16(uint16_t v) {
    u8(static_cast<uint8_t>(v));
    u8(static_cast<uint8_t>(v >> 8));
}

void wireWriter::u32(uint32_t v) {
    u16(static_cast<uint16_t>(v));
    u16(static_cast<uint16_t>(v >> 16));
}

void wireWriter::u64(uint64_t v) {
    u32(static_cast<uint32_t>(v));
    u32(static_cast<uint32_t>(v >> 32));
}

void wireWriter::text(const std::string& s) {
    size_t n = s.size() < 255 ? s.size() : 255;
    u8(static_cast<uint8_t>(n));
    bytes_.append(s, 0, n);
}

void wireWriter::frame(const inputFrame& f) {
    u8(f.held);
    u8(f.pressCount);
    for (int i = 0; i < f.pressCount; ++i)
        u8(f.presses[i]);
}
