#include "unrar/core/Crc32.h"

#include <array>

namespace rarcore {
namespace {

// Eight tables let the loop take 8 bytes per step (slicing-by-8): extraction checks every byte,
// and the CRC must not be what limits throughput.
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

uint32_t LoadLittleEndian32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Polynomials over GF(2) modulo the CRC polynomial, in the reflected form the CRC uses: bit 31
// is the coefficient of x^0.
constexpr uint32_t kOne = 0x80000000u;

uint32_t MultiplyModulo(uint32_t a, uint32_t b) {
    uint32_t product = 0;
    for (uint32_t bit = kOne; bit != 0; bit >>= 1) {
        if (a & bit) {
            product ^= b;
        }
        b = (b & 1) ? (b >> 1) ^ 0xEDB88320u : b >> 1;  // b *= x
    }
    return product;
}

// x^(8 * bytes) modulo the polynomial, by square-and-multiply.
uint32_t PowerOfX8(uint64_t bytes) {
    uint32_t result = kOne;
    uint32_t base = kOne >> 8;  // x^8
    while (bytes != 0) {
        if (bytes & 1) {
            result = MultiplyModulo(result, base);
        }
        base = MultiplyModulo(base, base);
        bytes >>= 1;
    }
    return result;
}

}  // namespace

uint32_t Crc32Combine(uint32_t crcA, uint32_t crcB, uint64_t lengthB) {
    // The pre- and post-inversions cancel out, so appending B multiplies CRC(A) by x^(8|B|).
    return MultiplyModulo(PowerOfX8(lengthB), crcA) ^ crcB;
}

uint32_t Crc32Update(uint32_t crc, const void* data, size_t size) {
    const Tables& t = CrcTables();
    auto p = static_cast<const unsigned char*>(data);
    uint32_t c = ~crc;
    while (size >= 8) {
        uint32_t low = LoadLittleEndian32(p) ^ c;
        uint32_t high = LoadLittleEndian32(p + 4);
        c = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^
            t[4][low >> 24] ^ t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^
            t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
        p += 8;
        size -= 8;
    }
    while (size-- > 0) {
        c = (c >> 8) ^ t[0][(c ^ *p++) & 0xFF];
    }
    return ~c;
}

}  // namespace rarcore
