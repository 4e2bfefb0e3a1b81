// Sets made by the writer, in both formats and both namings, single and multi-volume, read back
// through the core: every file comes out with exactly its bytes, listed once (or per part in
// the split-parts mode), with its folders, times and attributes.
#include <gtest/gtest.h>

#include <map>

#include "tests/unrar/CoreFixtures.h"
#include "tests/unrar/TestData.h"

namespace unrartest {
namespace {

using rarcore::FileEntry;
using rarcore::MemoryFileSystem;
using rarcore::OpenMode;
using rarcore::Operation;

std::vector<rarwrite::Entry> SampleEntries() {
    std::vector<rarwrite::Entry> entries(6);
    entries[0].name = "docs";
    entries[0].directory = true;
    entries[1].name = "docs\\guide\\intro.bin";
    entries[1].data = Pattern(10000, 1);
    entries[1].dosTime = 0x4A6B5C21;
    entries[2].name = "a.txt";
    entries[2].data = "abc";
    entries[2].attributes = 0x21;  // read-only, archive
    entries[3].name = "empty.txt";
    entries[4].name = "big.bin";
    entries[4].data = Pattern(70000, 2);
    entries[5].name = "docs\\z.txt";
    entries[5].data = Pattern(4097, 3);
    return entries;
}

struct SetCase {
    const char* label;
    rarwrite::Format format;
    rarwrite::Naming naming;
    uint64_t volumeSize;
    int partDigits;
    const char* firstName;
};

class RoundTrip : public ::testing::TestWithParam<SetCase> {
protected:
    void SetUp() override {
        rarwrite::Options options;
        options.format = GetParam().format;
        options.naming = GetParam().naming;
        options.volumeSize = GetParam().volumeSize;
        options.partDigits = GetParam().partDigits;
        volumes_ = WriteIntoMemory(dir_, GetParam().firstName, entries_, options, fs_);
        first_ = volumes_.front();
    }

    TestDir dir_;
    std::vector<rarwrite::Entry> entries_ = SampleEntries();
    MemoryFileSystem fs_;
    std::vector<std::string> volumes_;
    std::string first_;
};

std::string OutPath(const std::string& name) {
    std::string path = "out/" + name;
    for (char& c : path) {
        c = c == '\\' ? '/' : c;
    }
    return path;
}

TEST_P(RoundTrip, ExtractsEveryFileWithItsBytesTimeAndAttributes) {
    RunResult run = RunArchive(fs_, first_, OpenMode::Extract, Operation::Extract);
    for (size_t i = 1; i + 2 < run.steps.size(); i += 2) {
        EXPECT_EQ(run.steps[i + 1], "process 0") << run.entries[i / 2].name;
    }
    EXPECT_EQ(run.steps.back(), "read 10");
    EXPECT_TRUE(fs_.folders.count("out/docs"));
    EXPECT_TRUE(fs_.folders.count("out/docs/guide"));
    size_t files = 0;
    for (const rarwrite::Entry& e : entries_) {
        if (e.directory) {
            continue;
        }
        ++files;
        auto it = fs_.files.find(OutPath(e.name));
        ASSERT_NE(it, fs_.files.end()) << e.name;
        EXPECT_TRUE(it->second.data == e.data) << e.name;
        EXPECT_TRUE(it->second.finished);
        EXPECT_EQ(it->second.time.dosLocal, e.dosTime) << e.name;
        EXPECT_EQ(it->second.attributes, e.attributes) << e.name;
    }
    EXPECT_EQ(fs_.files.size(), files);
    EXPECT_TRUE(fs_.deleted.empty());
}

TEST_P(RoundTrip, ListModeReportsEachEntryOnceFromItsFirstVolume) {
    // The counting pass: list mode, answering "extract" to every header.
    RunResult run = RunArchive(fs_, first_, OpenMode::List, Operation::Extract);
    ASSERT_EQ(run.entries.size(), entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i) {
        const FileEntry& got = run.entries[i];
        EXPECT_EQ(got.name, entries_[i].name);
        EXPECT_EQ(got.unpackedSize, entries_[i].data.size());
        EXPECT_EQ(got.directory, entries_[i].directory);
        EXPECT_FALSE(got.splitBefore);
        EXPECT_EQ(got.dosTime, entries_[i].dosTime);
        EXPECT_EQ(got.method, 0x30u);
        EXPECT_EQ(got.hostOs, 2u);
        EXPECT_TRUE(fs_.inputs.count(got.volumeName)) << got.volumeName;
    }
    EXPECT_EQ(run.entries[0].volumeName, first_);
    EXPECT_EQ(run.steps.back(), "read 10");
    EXPECT_TRUE(fs_.files.empty());
    EXPECT_TRUE(fs_.folders.empty());
}

TEST_P(RoundTrip, SplitPartsModeReportsEveryPartAndTheirSizesAddUp) {
    RunResult run = RunArchive(fs_, first_, OpenMode::ListSplitParts, Operation::Skip);
    std::map<std::string, uint64_t> packed;
    size_t parts = 0;
    for (const FileEntry& e : run.entries) {
        packed[e.name] += e.packedSize;
        parts += e.splitBefore ? 0 : 1;
    }
    EXPECT_EQ(parts, entries_.size());
    for (const rarwrite::Entry& e : entries_) {
        EXPECT_EQ(packed[e.name], e.data.size()) << e.name;
    }
    if (GetParam().volumeSize != 0) {
        EXPECT_GT(run.entries.size(), entries_.size());
        EXPECT_EQ(run.entries.back().volumeName, volumes_.back());
    }
}

TEST_P(RoundTrip, TestOperationChecksWithoutWriting) {
    RunResult run = RunArchive(fs_, first_, OpenMode::Extract, Operation::Test);
    for (size_t i = 1; i + 2 < run.steps.size(); i += 2) {
        EXPECT_EQ(run.steps[i + 1], "process 0");
    }
    EXPECT_EQ(run.entries.size(), entries_.size());
    EXPECT_TRUE(fs_.files.empty());
    EXPECT_TRUE(fs_.folders.empty());
}

TEST_P(RoundTrip, SkippingInListModeReadsOnlyHeaders) {
    uint64_t total = 0;
    for (const auto& volume : fs_.inputs) {
        total += volume.second.size();
    }
    RunArchive(fs_, first_, OpenMode::List, Operation::Extract);
    // Each volume's signature and headers, never the 84 KB of data.
    EXPECT_LT(fs_.bytesRead, 300 * fs_.inputs.size() + 600);
    EXPECT_GT(total, 84000u);
}

const SetCase kSets[] = {
    {"Rar4Single", rarwrite::Format::Rar4, rarwrite::Naming::OldStyle, 0, 1, "s.rar"},
    {"Rar5Single", rarwrite::Format::Rar5, rarwrite::Naming::Parts, 0, 1, "s.rar"},
    {"Rar4OldNaming", rarwrite::Format::Rar4, rarwrite::Naming::OldStyle, 4096, 1, "v.rar"},
    {"Rar4PartNaming", rarwrite::Format::Rar4, rarwrite::Naming::Parts, 4096, 1, "v.part1.rar"},
    {"Rar5PartNaming", rarwrite::Format::Rar5, rarwrite::Naming::Parts, 4096, 1, "v.part1.rar"},
    {"Rar5TwoDigitParts", rarwrite::Format::Rar5, rarwrite::Naming::Parts, 30000, 2,
     "v.part01.rar"},
    {"Rar4ManyOldStyleVolumes", rarwrite::Format::Rar4, rarwrite::Naming::OldStyle, 1000, 1,
     "many.rar"},
};

INSTANTIATE_TEST_SUITE_P(Sets, RoundTrip, ::testing::ValuesIn(kSets),
                         [](const ::testing::TestParamInfo<SetCase>& row) {
                             return std::string(row.param.label);
                         });

}  // namespace
}  // namespace unrartest
