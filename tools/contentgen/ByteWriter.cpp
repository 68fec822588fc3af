#include "tools/contentgen/ByteWriter.h"

namespace contentgen {

void ByteWriter::u16(uint16_t v) {
    u8(static_cast<uint8_t>(v & 0xff));
    u8(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::u32(uint32_t v) {
    u16(static_cast<uint16_t>(v & 0xffff));
    u16(static_cast<uint16_t>(v >> 16));
}

void ByteWriter::tag(const std::string& fourChars) {
    for (char c : fourChars)
        u8(static_cast<uint8_t>(c));
}

} // namespace contentgen
