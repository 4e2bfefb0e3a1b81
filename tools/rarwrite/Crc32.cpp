#include "tools/rarwrite/Crc32.h"

#include <array>

namespace rarwrite {
namespace {

// Eight tables let the loop consume 8 bytes per step (slicing-by-8): the benchmark archives are
// hundreds of MiB, and every part's CRC must be known before its header is written.
using Tables = std::array<std::array<uint32_t, 256>, 8>;

Tables MakeTables() {
    Tables t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit) {
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        }
        t[0][i] = c;
    }
    for (uint32_t i = 0; i < 256; ++i) {
        for (size_t k = 1; k < 8; ++k) {
            t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
        }
    }
    return t;
}

const Tables& CrcTables() {
    static const Tables tables = MakeTables();
    return tables;
}

}  // namespace

uint32_t Crc32Update(uint32_t crc, const void* data, size_t size) {
    const Tables& t = CrcTables();
    const auto* p = static_cast<const unsigned char*>(data);
    uint32_t c = ~crc;
    while (size >= 8) {
        const uint32_t lo = c ^ (uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                 uint32_t(p[3]) << 24);
        c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
            t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
        p += 8;
        size -= 8;
    }
    while (size-- > 0) {
        c = (c >> 8) ^ t[0][(c ^ *p++) & 0xFF];
    }
    return ~c;
}

}  // namespace rarwrite
