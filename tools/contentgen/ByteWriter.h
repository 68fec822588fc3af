#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace contentgen {

// Appends little-endian numbers and tags to a byte buffer: the common ground of the
// BMP and WAV encoders, both of which are little-endian formats.
class ByteWriter {
public:
    void u8(uint8_t v) { bytes_.push_back(v); }
    void u16(uint16_t v);
    void u32(uint32_t v);
    void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void tag(const std::string& fourChars);

    std::vector<uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

} // namespace contentgen
