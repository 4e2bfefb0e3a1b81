// CRC32: the fast paths (slicing tables, carry-less folding for long runs) against a bit-by-bit
// reference over many lengths and alignments, and the combination of part CRCs.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "unrar/core/Crc32.h"

namespace unrartest {
namespace {

uint32_t BitwiseCrc(uint32_t crc, const unsigned char* p, size_t size) {
    uint32_t c = ~crc;
    while (size-- > 0) {
        c ^= *p++;
        for (int bit = 0; bit < 8; ++bit) {
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        }
    }
    return ~c;
}

TEST(Crc32, MatchesTheReferenceForEveryLengthAndAlignment) {
    EXPECT_EQ(rarcore::Crc32Update(0, "123456789", 9), 0xCBF43926u);
    std::mt19937 random(7);
    std::vector<unsigned char> bytes(5000);
    for (unsigned char& b : bytes) {
        b = static_cast<unsigned char>(random());
    }
    for (size_t offset = 0; offset < 16; ++offset) {
        for (size_t size = 0; size < 4500; size += size < 600 ? 1 : 61) {
            uint32_t start = random();
            ASSERT_EQ(rarcore::Crc32Update(start, &bytes[offset], size),
                      BitwiseCrc(start, &bytes[offset], size))
                << "offset " << offset << " size " << size;
        }
    }
}

TEST(Crc32, CombinesPartCrcsIntoTheWholeCrc) {
    std::vector<unsigned char> bytes(3000);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<unsigned char>(i * 31 + 7);
    }
    uint32_t whole = rarcore::Crc32Update(0, bytes.data(), bytes.size());
    for (size_t split : {size_t(0), size_t(1), size_t(255), size_t(1500), bytes.size()}) {
        uint32_t a = rarcore::Crc32Update(0, bytes.data(), split);
        uint32_t b = rarcore::Crc32Update(0, bytes.data() + split, bytes.size() - split);
        EXPECT_EQ(rarcore::Crc32Combine(a, b, bytes.size() - split), whole) << split;
    }
}

}  // namespace
}  // namespace unrartest
