#include "net/wireReader.h"

#include "control/inputFrame.h"

bool wireReader::u8(uint8_t& v) {
    if (at_ >= size_)
        return false;
    v = data_[at_++];
    return true;
}

bool wireReader::u16(uint16_t& v) {
    uint8_t lo = 0, hi = 0;
    if (!u8(lo) || !u8(hi))
        return false;
    v = static_cast<uint16_t>(lo | (hi << 8));
    return true;
}

bool wireReader::u32(uint32_t& v) {
    uint16_t lo = 0, hi = 0;
    if (!u16(lo) || !u16(hi))
        return false;
    v = lo | (static_cast<uint32_t>(hi) << 16);
    return true;
}

bool wireReader::u64(uint64_t& v) {
    uint32_t lo = 0, hi = 0;
    if (!u32(lo) || !u32(hi))
        return false;
    v = lo | (static_cast<uint64_t>(hi) << 32);
    return true;
}

bool wireReader::text(std::string& s) {
    uint8_t n = 0;
    if (!u8(n) || size_ - at_ < n)
        return false;
    s.assign(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n;
    return true;
}

bool wireReader::frame(inputFrame& f) {
    uint8_t held = 0, count = 0;
    if (!u8(held) || !u8(count) || count > inputFrame::kMaxPresses)
        return false;
    f = inputFrame{};
    f.held = held;
    for (int i = 0; i < count; ++i) {
        uint8_t p = 0;
        if (!u8(p) || !f.press(p))
            return false;
    }
    return true;
}
