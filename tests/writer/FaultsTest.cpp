// Each fault the writer offers is really in the bytes it writes, in both formats, and options
// that cannot work are refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/writer/Fixtures.h"
#include "tools/rarwrite/Crc32.h"

namespace {

using rarwrite::Format;
using writertest::Block;
using writertest::Kind;
using writertest::WrittenSet;

std::vector<const Block*> FileBlocks(const WrittenSet& set, const std::string& name) {
    std::vector<const Block*> found;
    for (const writertest::Volume& volume : set.volumes) {
        for (const Block& block : volume.blocks) {
            if (block.kind == Kind::File && block.name == name) {
                found.push_back(&block);
            }
        }
    }
    return found;
}

size_t BadHeaderCount(const WrittenSet& set) {
    size_t bad = 0;
    for (const writertest::Volume& volume : set.volumes) {
        for (const Block& block : volume.blocks) {
            bad += block.headerCrcOk ? 0 : 1;
        }
    }
    return bad;
}

const rarwrite::Entry& EntryNamed(const std::string& name) {
    static const std::vector<rarwrite::Entry> entries = writertest::MixedEntries();
    for (const rarwrite::Entry& entry : entries) {
        if (entry.name == name) {
            return entry;
        }
    }
    throw std::logic_error("no entry " + name);
}

struct FaultCase {
    const char* name;
    std::function<void(rarwrite::Faults&)> set;
    std::function<void(const WrittenSet&, Format)> check;
};

const std::vector<FaultCase>& FaultCases() {
    static const std::vector<FaultCase> cases = {
        {"FlipDataByte", [](rarwrite::Faults& f) { f.flipDataByteOf = "big.bin"; },
         [](const WrittenSet& set, Format) {
             const std::vector<const Block*> parts = FileBlocks(set, "big.bin");
             ASSERT_EQ(3u, parts.size());
             const std::string& original = EntryNamed("big.bin").data;
             const std::string& first = parts[0]->data;
             EXPECT_EQ(static_cast<char>(~original[0]), first[0]);
             EXPECT_EQ(original.substr(1, first.size() - 1), first.substr(1));
             EXPECT_EQ(rarwrite::Crc32(original.substr(0, first.size())), parts[0]->dataCrc)
                 << "the CRC is of the intact data";
             EXPECT_EQ(0u, BadHeaderCount(set));
         }},
        {"FlipHeaderByte", [](rarwrite::Faults& f) { f.flipHeaderByteOf = "tail.bin"; },
         [](const WrittenSet& set, Format) {
             EXPECT_TRUE(FileBlocks(set, "tail.bin").empty());
             const std::vector<const Block*> changed = FileBlocks(set, "uail.bin");
             ASSERT_EQ(1u, changed.size());
             EXPECT_FALSE(changed[0]->headerCrcOk);
             EXPECT_EQ(1u, BadHeaderCount(set));
             EXPECT_EQ(EntryNamed("tail.bin").data, changed[0]->data);
         }},
        {"WrongPartCrc", [](rarwrite::Faults& f) { f.wrongPartCrcOf = "big.bin"; },
         [](const WrittenSet& set, Format) {
             const std::vector<const Block*> parts = FileBlocks(set, "big.bin");
             ASSERT_EQ(3u, parts.size());
             EXPECT_EQ(rarwrite::Crc32(parts[0]->data) + 1, parts[0]->dataCrc);
             EXPECT_EQ(rarwrite::Crc32(parts[1]->data), parts[1]->dataCrc);
             EXPECT_EQ(rarwrite::Crc32(EntryNamed("big.bin").data), parts[2]->dataCrc);
             EXPECT_EQ(0u, BadHeaderCount(set));
         }},
        {"OmitNextVolumeFlag", [](rarwrite::Faults& f) { f.omitNextVolumeFlag = true; },
         [](const WrittenSet& set, Format) {
             ASSERT_EQ(4u, set.volumes.size());
             for (const writertest::Volume& volume : set.volumes) {
                 EXPECT_EQ(0u, volume.blocks.back().endFlags & 0x0001);
             }
             EXPECT_EQ(1u, FileBlocks(set, "big.bin")[0]->splitAfter) << "split flags stay";
         }},
        {"DeleteVolume", [](rarwrite::Faults& f) { f.deleteVolume = 2; },
         [](const WrittenSet& set, Format) {
             ASSERT_EQ(4u, set.paths.size());
             for (size_t i = 0; i < set.paths.size(); ++i) {
                 EXPECT_EQ(i != 2, std::filesystem::exists(set.paths[i])) << set.paths[i];
             }
         }},
        {"CompressedMethod", [](rarwrite::Faults& f) { f.compressedMethod = true; },
         [](const WrittenSet& set, Format format) {
             const Block& file = *FileBlocks(set, "tail.bin")[0];
             EXPECT_EQ(format == Format::Rar4 ? 0x33u : 3u << 7, file.method);
             EXPECT_EQ(0u, FileBlocks(set, "docs")[0]->method & 0x7F80) << "directories stay";
         }},
        {"Encrypted", [](rarwrite::Faults& f) { f.encrypted = true; },
         [](const WrittenSet& set, Format) {
             EXPECT_TRUE(FileBlocks(set, "tail.bin")[0]->encrypted);
             EXPECT_TRUE(FileBlocks(set, "empty.txt")[0]->encrypted);
             EXPECT_EQ(0u, BadHeaderCount(set));
         }},
    };
    return cases;
}

struct FaultParam {
    size_t fault;
    Format format;
};

class FaultTest : public ::testing::TestWithParam<FaultParam> {};

TEST_P(FaultTest, FaultIsInTheWrittenBytes) {
    const FaultCase& fault = FaultCases()[GetParam().fault];
    writertest::TestDir dir;
    rarwrite::Options options;
    options.format = GetParam().format;
    options.volumeSize = 10000;
    fault.set(options.faults);
    fault.check(writertest::WriteAndRead(dir, writertest::MixedEntries(), options), options.format);
}

std::vector<FaultParam> AllFaults() {
    std::vector<FaultParam> params;
    for (size_t i = 0; i < FaultCases().size(); ++i) {
        params.push_back({i, Format::Rar4});
        params.push_back({i, Format::Rar5});
    }
    return params;
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultTest, ::testing::ValuesIn(AllFaults()),
                         [](const ::testing::TestParamInfo<FaultParam>& row) {
                             return std::string(FaultCases()[row.param.fault].name) +
                                    (row.param.format == Format::Rar4 ? "Rar4" : "Rar5");
                         });

TEST(Faults, TruncatedVolumeIsHalfItsSize) {
    writertest::TestDir intact;
    writertest::TestDir cut;
    rarwrite::Options options;
    options.volumeSize = 10000;
    const auto full =
        rarwrite::WriteArchive(intact.File("a.rar"), writertest::MixedEntries(), options);
    options.faults.truncateVolume = 1;
    const auto damaged =
        rarwrite::WriteArchive(cut.File("a.rar"), writertest::MixedEntries(), options);
    ASSERT_EQ(full.size(), damaged.size());
    for (size_t i = 0; i < full.size(); ++i) {
        const auto size = std::filesystem::file_size(full[i]);
        EXPECT_EQ(i == 1 ? size / 2 : size, std::filesystem::file_size(damaged[i]));
    }
}

TEST(Faults, OptionsThatCannotWorkAreRefused) {
    const std::vector<std::function<void(rarwrite::Options&)>> bad = {
        [](rarwrite::Options& o) { o.naming = rarwrite::Naming::OldStyle; },  // RAR 5
        [](rarwrite::Options& o) { o.faults.flipDataByteOf = "missing.bin"; },
        [](rarwrite::Options& o) { o.faults.flipDataByteOf = "empty.txt"; },  // no data
        [](rarwrite::Options& o) { o.faults.flipHeaderByteOf = "docs"; },     // directory
        [](rarwrite::Options& o) { o.faults.deleteVolume = 4; },              // 4 volumes
        [](rarwrite::Options& o) { o.faults.truncateVolume = 9; },
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        writertest::TestDir dir;
        rarwrite::Options options;
        options.volumeSize = 10000;
        bad[i](options);
        EXPECT_THROW(rarwrite::WriteArchive(dir.File("a.rar"), writertest::MixedEntries(), options),
                     std::runtime_error)
            << "case " << i;
        EXPECT_FALSE(std::filesystem::exists(dir.File("a.part1.rar"))) << "nothing written";
    }
    writertest::TestDir dir;
    EXPECT_THROW(rarwrite::WriteArchive(dir.File("no/such/dir/a.rar"), writertest::MixedEntries(),
                                        rarwrite::Options{}),
                 std::runtime_error);
}

}  // namespace
