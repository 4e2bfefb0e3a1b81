// Byte-level encodings: CRC32, RAR 5 vints, DOS time, and the two one-file worked examples.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/writer/BlockReader.h"
#include "tests/writer/TestDir.h"
#include "tools/rarwrite/ByteOut.h"
#include "tools/rarwrite/Crc32.h"
#include "tools/rarwrite/DosTime.h"
#include "tools/rarwrite/RarWriter.h"

namespace {

using rarwrite::Crc32;

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty()) {
            out += ' ';
        }
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// Bit-at-a-time reference: the table-driven code must agree with it at every length and offset.
uint32_t ReferenceCrc(const std::string& bytes) {
    uint32_t c = 0xFFFFFFFF;
    for (unsigned char byte : bytes) {
        c ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        }
    }
    return ~c;
}

TEST(Crc32, KnownValues) {
    EXPECT_EQ(0xCBF43926u, Crc32("123456789"));
    EXPECT_EQ(0u, Crc32(""));
    EXPECT_EQ(0x352441C2u, Crc32("abc"));
    EXPECT_EQ(0x3DC4u, Crc32(std::string("\x7B\x00\x40\x07\x00", 5)) & 0xFFFF);
}

TEST(Crc32, MatchesReferenceAtEveryLengthAndSplit) {
    std::mt19937 random(7);
    std::string bytes(300, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    for (size_t length = 0; length <= bytes.size(); length += 7) {
        const std::string piece = bytes.substr(3, length);  // odd start: unaligned reads
        const uint32_t expected = ReferenceCrc(piece);
        ASSERT_EQ(expected, Crc32(piece)) << "length " << length;
        const size_t half = length / 3;
        const uint32_t resumed = rarwrite::Crc32Update(Crc32(piece.substr(0, half)),
                                                       piece.data() + half, piece.size() - half);
        ASSERT_EQ(expected, resumed) << "split at " << half;
    }
}

struct VintCase {
    uint64_t value;
    const char* hex;
};

TEST(Vint, EncodesBoundaries) {
    const std::vector<VintCase> cases = {
        {0, "00"},
        {1, "01"},
        {127, "7F"},
        {128, "80 01"},
        {300, "AC 02"},
        {16383, "FF 7F"},
        {16384, "80 80 01"},
        {(1u << 21) - 1, "FF FF 7F"},
        {1u << 21, "80 80 80 01"},
        {0xFFFFFFFFu, "FF FF FF FF 0F"},
        {UINT64_MAX, "FF FF FF FF FF FF FF FF FF 01"},
    };
    for (const VintCase& c : cases) {
        EXPECT_EQ(c.hex, Hex(rarwrite::Vint(c.value))) << c.value;
    }
}

struct DosTimeCase {
    const char* what;
    uint32_t dos;
    int64_t unix;
};

uint32_t Dos(unsigned year, unsigned month, unsigned day, unsigned h, unsigned m, unsigned s) {
    return (year - 1980) << 25 | month << 21 | day << 16 | h << 11 | m << 5 | s / 2;
}

TEST(DosTime, ConvertsBothWays) {
    const std::vector<DosTimeCase> cases = {
        {"2000-01-01", 0x28210000, 946684800},
        {"first DOS day", Dos(1980, 1, 1, 0, 0, 0), 315532800},
        {"leap day, last even second", Dos(2024, 2, 29, 23, 59, 58), 1709251198},
        {"after a leap day", Dos(2024, 3, 1, 0, 0, 0), 1709251200},
        {"2100 is no leap year", Dos(2100, 3, 1, 12, 30, 10), 4107587410},
    };
    for (const DosTimeCase& c : cases) {
        EXPECT_EQ(c.unix, rarwrite::DosTimeToUnix(c.dos)) << c.what;
        EXPECT_EQ(c.dos, rarwrite::UnixToDosTime(c.unix)) << c.what;
    }
    EXPECT_EQ(Dos(2024, 2, 29, 23, 59, 58), rarwrite::UnixToDosTime(1709251199))
        << "odd seconds round down";
    EXPECT_EQ(Dos(1980, 1, 1, 0, 0, 0), rarwrite::UnixToDosTime(0)) << "clamped to 1980";
}

struct WorkedExample {
    const char* name;
    rarwrite::Format format;
    const char* hex;
};

class WorkedExampleTest : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExampleTest, OneStoredFileIsByteForByte) {
    writertest::TestDir dir;
    rarwrite::Entry entry;
    entry.name = "a.txt";
    entry.data = "abc";
    rarwrite::Options options;
    options.format = GetParam().format;
    const std::vector<std::string> paths =
        rarwrite::WriteArchive(dir.File("a.rar"), {entry}, options);
    ASSERT_EQ(1u, paths.size());
    EXPECT_EQ(dir.File("a.rar"), paths[0]);
    EXPECT_EQ(GetParam().hex, Hex(writertest::ReadFileBytes(paths[0])));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, WorkedExampleTest,
    ::testing::Values(
        WorkedExample{"Rar4", rarwrite::Format::Rar4,
                      "52 61 72 21 1A 07 00 "
                      "CF 90 73 00 00 0D 00 00 00 00 00 00 00 "
                      "12 FD 74 00 80 25 00 03 00 00 00 03 00 00 00 02 "
                      "C2 41 24 35 00 00 21 28 14 30 05 00 20 00 00 00 61 2E 74 78 74 "
                      "61 62 63 "
                      "C4 3D 7B 00 40 07 00"},
        WorkedExample{"Rar5", rarwrite::Format::Rar5,
                      "52 61 72 21 1A 07 01 00 "
                      "C5 1A 33 32 03 01 00 00 "
                      "8D BB B7 9D 16 02 02 03 06 03 20 80 43 6D 38 C2 41 24 35 "
                      "00 00 05 61 2E 74 78 74 "
                      "61 62 63 "
                      "19 B2 3A 35 03 05 00 00"}),
    [](const ::testing::TestParamInfo<WorkedExample>& row) { return row.param.name; });

}  // namespace
