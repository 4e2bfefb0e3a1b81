// Appends little-endian integers and RAR 5 variable-length integers to a byte string; the
// header builders of both formats are written with it.
#pragma once

#include <cstdint>
#include <string>

namespace rarwrite {

inline void PutU8(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
}

inline void PutU16(std::string& out, unsigned value) {
    PutU8(out, value);
    PutU8(out, value >> 8);
}

inline void PutU32(std::string& out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// 7 bits per byte, low group first, high bit on every byte but the last (minimal form).
inline void PutVint(std::string& out, uint64_t value) {
    while (value >= 0x80) {
        PutU8(out, static_cast<unsigned>(value & 0x7F) | 0x80);
        value >>= 7;
    }
    PutU8(out, static_cast<unsigned>(value));
}

inline std::string Vint(uint64_t value) {
    std::string out;
    PutVint(out, value);
    return out;
}

}  // namespace rarwrite
