// What every written set must look like, for both formats, both namings and several volume
// sizes: volume framing, flags, data budgets, split parts and their CRCs.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/writer/Fixtures.h"
#include "tools/rarwrite/Crc32.h"
#include "tools/rarwrite/DosTime.h"

namespace {

using rarwrite::Format;
using rarwrite::Naming;
using writertest::Block;
using writertest::Kind;

struct LayoutCase {
    const char* name;
    Format format;
    Naming naming;
    uint64_t volumeSize;
    size_t expectedVolumes;
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

void ExpectVolumeFraming(const LayoutCase& c, size_t index, const writertest::Volume& volume,
                         size_t count) {
    const bool rar4 = c.format == Format::Rar4;
    const bool multi = count > 1;
    const bool last = index + 1 == count;
    ASSERT_TRUE(volume.signatureOk);
    ASSERT_GE(volume.blocks.size(), 2u);
    const Block& main = volume.blocks.front();
    const Block& end = volume.blocks.back();
    ASSERT_EQ(Kind::Main, main.kind);
    ASSERT_EQ(Kind::End, end.kind);
    EXPECT_EQ(multi, (main.archiveFlags & 0x0001) != 0) << "volume flag";
    if (rar4) {
        EXPECT_EQ(multi && index == 0, (main.archiveFlags & 0x0100) != 0) << "first volume";
        EXPECT_EQ(multi && c.naming == Naming::Parts, (main.archiveFlags & 0x0010) != 0)
            << "new naming";
    } else {
        EXPECT_EQ(multi && index > 0, main.hasVolumeNumber);
        EXPECT_EQ(main.hasVolumeNumber ? index : 0u, main.volumeNumber);
    }
    EXPECT_EQ(!last, (end.endFlags & 0x0001) != 0) << "next volume flag";
    uint64_t data = 0;
    for (const Block& block : volume.blocks) {
        EXPECT_TRUE(block.headerCrcOk) << block.name;
        data += block.data.size();
    }
    if (multi && !last) {
        EXPECT_EQ(c.volumeSize, data) << "volume " << index << " is filled to its budget";
    } else if (multi) {
        EXPECT_LE(data, c.volumeSize);
        EXPECT_GT(data, 0u);
    }
}

TEST_P(LayoutTest, VolumesAndPartsFollowTheFormat) {
    const LayoutCase& c = GetParam();
    writertest::TestDir dir;
    rarwrite::Options options;
    options.format = c.format;
    options.naming = c.naming;
    options.volumeSize = c.volumeSize;
    const std::vector<rarwrite::Entry> entries = writertest::MixedEntries();
    const writertest::WrittenSet set = writertest::WriteAndRead(dir, entries, options);
    ASSERT_EQ(c.expectedVolumes, set.paths.size());

    // Parts of each file in set order, checked against the entry they came from.
    std::map<std::string, std::vector<const Block*>> parts;
    std::vector<std::string> order;
    for (size_t i = 0; i < set.volumes.size(); ++i) {
        ExpectVolumeFraming(c, i, set.volumes[i], set.paths.size());
        for (const Block& block : set.volumes[i].blocks) {
            if (block.kind == Kind::File) {
                if (parts[block.name].empty()) {
                    order.push_back(block.name);
                }
                parts[block.name].push_back(&block);
            }
        }
    }
    ASSERT_EQ(entries.size(), order.size());
    for (size_t e = 0; e < entries.size(); ++e) {
        const rarwrite::Entry& entry = entries[e];
        std::string name = entry.name;
        if (c.format == Format::Rar4) {
            for (char& ch : name) {
                ch = ch == '/' ? '\\' : ch;
            }
        }
        SCOPED_TRACE(name);
        ASSERT_EQ(name, order[e]) << "entries keep their order";
        const std::vector<const Block*>& list = parts[name];
        std::string joined;
        for (size_t p = 0; p < list.size(); ++p) {
            const Block& part = *list[p];
            const bool lastPart = p + 1 == list.size();
            EXPECT_EQ(p > 0, part.splitBefore);
            EXPECT_EQ(!lastPart, part.splitAfter);
            EXPECT_EQ(entry.directory ? 0u : entry.data.size(), part.unpackedSize);
            EXPECT_EQ(entry.directory, part.directory);
            EXPECT_EQ(entry.attributes | (entry.directory ? 0x10u : 0u), part.attributes);
            const uint32_t time =
                c.format == Format::Rar4
                    ? entry.dosTime
                    : static_cast<uint32_t>(rarwrite::DosTimeToUnix(entry.dosTime));
            EXPECT_EQ(time, part.time);
            EXPECT_EQ(c.format == Format::Rar4 ? 0x30u : 0u, part.method);
            EXPECT_EQ(lastPart ? rarwrite::Crc32(entry.data) : rarwrite::Crc32(part.data),
                      part.dataCrc)
                << "part " << p;
            joined += part.data;
        }
        EXPECT_EQ(entry.directory ? std::string() : entry.data, joined);
        if (entry.data.empty()) {
            EXPECT_EQ(1u, list.size()) << "headers only";
            EXPECT_EQ(0u, list[0]->dataCrc);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sets, LayoutTest,
    ::testing::Values(LayoutCase{"Rar4Single", Format::Rar4, Naming::OldStyle, 0, 1},
                      LayoutCase{"Rar5Single", Format::Rar5, Naming::Parts, 0, 1},
                      LayoutCase{"Rar4ExactlyOneVolume", Format::Rar4, Naming::Parts, 33000, 1},
                      LayoutCase{"Rar5OneByteOver", Format::Rar5, Naming::Parts, 32999, 2},
                      LayoutCase{"Rar4Old10000", Format::Rar4, Naming::OldStyle, 10000, 4},
                      LayoutCase{"Rar4Parts10000", Format::Rar4, Naming::Parts, 10000, 4},
                      LayoutCase{"Rar5Parts10000", Format::Rar5, Naming::Parts, 10000, 4},
                      LayoutCase{"Rar4Old7777", Format::Rar4, Naming::OldStyle, 7777, 5},
                      LayoutCase{"Rar5Parts7777", Format::Rar5, Naming::Parts, 7777, 5},
                      LayoutCase{"Rar5Parts1000", Format::Rar5, Naming::Parts, 1000, 33}),
    [](const ::testing::TestParamInfo<LayoutCase>& row) { return row.param.name; });

TEST(Layout, WholeFileStartsInANewVolumeWhenTheBudgetIsSpent) {
    writertest::TestDir dir;
    rarwrite::Options options;
    options.volumeSize = 10000;
    const writertest::WrittenSet set =
        writertest::WriteAndRead(dir, writertest::MixedEntries(), options);
    ASSERT_EQ(4u, set.volumes.size());
    // Volume 3 ends with exact.bin filling its budget; tail.bin is whole in volume 4.
    const std::vector<Block>& last = set.volumes[3].blocks;
    ASSERT_EQ(3u, last.size());
    EXPECT_EQ("tail.bin", last[1].name);
    EXPECT_FALSE(last[1].splitBefore);
    EXPECT_FALSE(last[1].splitAfter);
}

}  // namespace
