#include "unrar/core/Crc32.h"

#include <array>

#if defined(__x86_64__) || defined(__i386__)
#include <emmintrin.h>
#include <wmmintrin.h>
#define RARCORE_CLMUL 1
#endif

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

// The table-driven step on the raw register (no inversions).
uint32_t TableUpdate(uint32_t c, const unsigned char* p, size_t size) {
    const Tables& t = CrcTables();
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
    return c;
}

#ifdef RARCORE_CLMUL
// Carry-less multiplication folds 64 bytes per step: four 128-bit lanes are each moved forward
// by 512 bits (multiplied by x^512 modulo the polynomial, split into the two 64-bit halves'
// constants) and the next data is added. The lanes are then folded into one, whose 16 bytes are
// congruent to everything before them, so the table step finishes the register from them.
// Constants: x^(512+32) and x^(512-32), x^(128+32) and x^(128-32) modulo the polynomial,
// bit-reflected and shifted left by one.
// A macro rather than functions: on i686 a vector argument or result outside the function
// compiled for the instruction set would change the ABI, and GCC does not inline across it.
#define RARCORE_LOAD(at) _mm_loadu_si128(reinterpret_cast<const __m128i*>(at))
#define RARCORE_FOLD(lane, constants, data)                                   \
    _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(lane, constants, 0x00),  \
                                _mm_clmulepi64_si128(lane, constants, 0x11)), \
                  data)

__attribute__((target("pclmul,sse2"))) uint32_t FoldingUpdate(uint32_t c, const unsigned char* p,
                                                              size_t blocks64) {
    __m128i x0 = _mm_xor_si128(RARCORE_LOAD(p), _mm_cvtsi32_si128(int(c)));
    __m128i x1 = RARCORE_LOAD(p + 16);
    __m128i x2 = RARCORE_LOAD(p + 32);
    __m128i x3 = RARCORE_LOAD(p + 48);
    const __m128i by512 = _mm_set_epi64x(0x1c6e41596LL, 0x154442bd4LL);
    for (size_t i = 1; i < blocks64; ++i) {
        p += 64;
        x0 = RARCORE_FOLD(x0, by512, RARCORE_LOAD(p));
        x1 = RARCORE_FOLD(x1, by512, RARCORE_LOAD(p + 16));
        x2 = RARCORE_FOLD(x2, by512, RARCORE_LOAD(p + 32));
        x3 = RARCORE_FOLD(x3, by512, RARCORE_LOAD(p + 48));
    }
    const __m128i by128 = _mm_set_epi64x(0x0ccaa009eLL, 0x1751997d0LL);
    x1 = RARCORE_FOLD(x0, by128, x1);
    x2 = RARCORE_FOLD(x1, by128, x2);
    x3 = RARCORE_FOLD(x2, by128, x3);
    alignas(16) unsigned char folded[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(folded), x3);
    return TableUpdate(0, folded, sizeof folded);
}
#undef RARCORE_FOLD
#undef RARCORE_LOAD

bool HasCarrylessMultiply() {
    static const bool has = __builtin_cpu_supports("pclmul");
    return has;
}
#endif

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

uint32_t Crc32Update(uint32_t crc, const void* data, size_t size) {
    auto p = static_cast<const unsigned char*>(data);
    uint32_t c = ~crc;
#ifdef RARCORE_CLMUL
    if (size >= 256 && HasCarrylessMultiply()) {
        size_t blocks = size / 64;
        c = FoldingUpdate(c, p, blocks);
        p += blocks * 64;
        size -= blocks * 64;
    }
#endif
    return ~TableUpdate(c, p, size);
}

uint32_t Crc32Combine(uint32_t crcA, uint32_t crcB, uint64_t lengthB) {
    // The pre- and post-inversions cancel out, so appending B multiplies CRC(A) by x^(8|B|).
    return MultiplyModulo(PowerOfX8(lengthB), crcA) ^ crcB;
}

}  // namespace rarcore
