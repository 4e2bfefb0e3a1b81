// Damaged archives: the answers of every call in a whole run, for faults the writer builds in
// and for hand-built headers no writer would make; and sweeps over every truncation and every
// flipped byte of small archives, which must never crash, hang or leave a wrong file behind.
#include <gtest/gtest.h>

#include <map>

#include "tests/unrar/CoreFixtures.h"
#include "tests/unrar/TestData.h"

namespace unrartest {
namespace {

using rarcore::MemoryFileSystem;
using rarcore::OpenMode;
using rarcore::Operation;
using Steps = std::vector<std::string>;

struct WriterFaultCase {
    const char* label;
    rarwrite::Format format;
    rarwrite::Naming naming;
    uint64_t volumeSize;
    void (*fault)(rarwrite::Faults&);
    OpenMode mode;
    Steps steps;
    std::vector<const char*> written;  // files left in "out" afterwards
};

class WriterFaults : public ::testing::TestWithParam<WriterFaultCase> {};

TEST_P(WriterFaults, AnswersEachCallAsExpected) {
    const WriterFaultCase& c = GetParam();
    std::vector<rarwrite::Entry> entries(2);
    entries[0].name = "a.txt";
    entries[0].data = Pattern(3000, 97);
    entries[1].name = "b.txt";
    entries[1].data = Pattern(5000, 98);
    rarwrite::Options options;
    options.format = c.format;
    options.naming = c.naming;
    options.volumeSize = c.volumeSize;
    c.fault(options.faults);
    TestDir dir;
    MemoryFileSystem fs;
    const char* first = c.naming == rarwrite::Naming::Parts ? "f.part1.rar" : "f.rar";
    WriteIntoMemory(dir, first, entries, options, fs);
    RunResult run = RunArchive(fs, dir.File(first), c.mode, Operation::Extract);
    EXPECT_EQ(run.steps, c.steps);
    std::vector<std::string> written;
    for (const auto& file : fs.files) {
        written.push_back(file.first);
        EXPECT_TRUE(file.second.data == entries[file.first == "out/a.txt" ? 0 : 1].data);
    }
    EXPECT_EQ(written, std::vector<std::string>(c.written.begin(), c.written.end()));
}

const auto R4 = rarwrite::Format::Rar4;
const auto R5 = rarwrite::Format::Rar5;
const auto Old = rarwrite::Naming::OldStyle;
const auto Parts = rarwrite::Naming::Parts;
const auto Extract = OpenMode::Extract;
const auto List = OpenMode::List;

const Steps kBothOk = {"open 0",    "read 0",  "process 0", "read 0",
                       "process 0", "read 10", "read 10"};
const Steps kSecondFails(int code) {
    return {"open 0",  "read 0", "process 0", "read 0", "process " + std::to_string(code),
            "read 10", "read 10"};
}

const WriterFaultCase kWriterFaults[] = {
    {"FlippedDataByte",
     R5,
     Parts,
     0,
     [](rarwrite::Faults& f) { f.flipDataByteOf = "b.txt"; },
     Extract,
     kSecondFails(12),
     {"out/a.txt"}},
    {"FlippedDataByteRar4Split",
     R4,
     Old,
     4096,
     [](rarwrite::Faults& f) { f.flipDataByteOf = "b.txt"; },
     Extract,
     kSecondFails(12),
     {"out/a.txt"}},
    {"FlippedDataByteListMode",
     R5,
     Parts,
     0,
     [](rarwrite::Faults& f) { f.flipDataByteOf = "b.txt"; },
     List,
     kBothOk,
     {}},
    {"BrokenHeaderRar4",
     R4,
     Old,
     0,
     [](rarwrite::Faults& f) { f.flipHeaderByteOf = "a.txt"; },
     Extract,
     {"open 0", "read 0", "process 12", "read 0", "process 0", "read 10", "read 10"},
     {"out/b.txt"}},
    {"BrokenHeaderRar5",
     R5,
     Parts,
     0,
     [](rarwrite::Faults& f) { f.flipHeaderByteOf = "a.txt"; },
     Extract,
     {"open 0", "read 0", "process 12", "read 0", "process 0", "read 10", "read 10"},
     {"out/b.txt"}},
    {"WrongPartCrc",
     R5,
     Parts,
     4096,
     [](rarwrite::Faults& f) { f.wrongPartCrcOf = "b.txt"; },
     Extract,
     kSecondFails(12),
     {"out/a.txt"}},
    {"WrongPartCrcRar4",
     R4,
     Parts,
     4096,
     [](rarwrite::Faults& f) { f.wrongPartCrcOf = "b.txt"; },
     Extract,
     kSecondFails(12),
     {"out/a.txt"}},
    {"MissingVolume",
     R5,
     Parts,
     4096,
     [](rarwrite::Faults& f) { f.deleteVolume = 1; },
     Extract,
     kSecondFails(15),
     {"out/a.txt"}},
    {"MissingVolumeListMode",
     R4,
     Old,
     4096,
     [](rarwrite::Faults& f) { f.deleteVolume = 1; },
     List,
     kSecondFails(15),
     {}},
    {"TruncatedVolume",
     R5,
     Parts,
     4096,
     [](rarwrite::Faults& f) { f.truncateVolume = 1; },
     Extract,
     kSecondFails(12),
     {"out/a.txt"}},
    {"TruncatedVolumeListMode",
     R4,
     Old,
     4096,
     [](rarwrite::Faults& f) { f.truncateVolume = 1; },
     List,
     {"open 0", "read 0", "process 0", "read 0", "process 0", "read 12", "read 10", "read 10"},
     {}},
    {"TruncatedSingleVolume",
     R4,
     Old,
     0,
     [](rarwrite::Faults& f) { f.truncateVolume = 0; },
     Extract,
     {"open 0", "read 0", "process 0", "read 12", "read 10", "read 10"},
     {"out/a.txt"}},
    {"Compressed",
     R4,
     Old,
     0,
     [](rarwrite::Faults& f) { f.compressedMethod = true; },
     Extract,
     {"open 0", "read 0", "process 14", "read 0", "process 14", "read 10", "read 10"},
     {}},
    {"CompressedSplit",
     R5,
     Parts,
     4096,
     [](rarwrite::Faults& f) { f.compressedMethod = true; },
     Extract,
     {"open 0", "read 0", "process 14", "read 0", "process 14", "read 10", "read 10"},
     {}},
    {"Encrypted",
     R5,
     Parts,
     0,
     [](rarwrite::Faults& f) { f.encrypted = true; },
     Extract,
     {"open 0", "read 0", "process 22", "read 0", "process 22", "read 10", "read 10"},
     {}},
    {"EncryptedRar4",
     R4,
     Old,
     0,
     [](rarwrite::Faults& f) { f.encrypted = true; },
     Extract,
     {"open 0", "read 0", "process 22", "read 0", "process 22", "read 10", "read 10"},
     {}},
};

INSTANTIATE_TEST_SUITE_P(Faults, WriterFaults, ::testing::ValuesIn(kWriterFaults),
                         [](const ::testing::TestParamInfo<WriterFaultCase>& row) {
                             return std::string(row.param.label);
                         });

TEST(WriterFaults, WithoutNextVolumeFlagTheWalkStopsAtTheFirstVolume) {
    // The end block's flag is what leads from one volume to the next between whole files.
    std::vector<rarwrite::Entry> entries(2);
    entries[0].name = "a.txt";
    entries[0].data = Pattern(4096, 97);
    entries[1].name = "b.txt";
    entries[1].data = Pattern(100, 98);
    rarwrite::Options options;
    options.volumeSize = 4096;
    options.faults.omitNextVolumeFlag = true;
    TestDir dir;
    MemoryFileSystem fs;
    ASSERT_EQ(WriteIntoMemory(dir, "n.part1.rar", entries, options, fs).size(), 2u);
    RunResult run = RunArchive(fs, dir.File("n.part1.rar"), Extract, Operation::Extract);
    EXPECT_EQ(run.steps, Steps({"open 0", "read 0", "process 0", "read 10", "read 10"}));
}

TEST(WriterFaults, NextVolumeThatIsNotAnArchiveAnswers18ThenEnds) {
    std::vector<rarwrite::Entry> entries(1);
    entries[0].name = "a.txt";
    entries[0].data = Pattern(5000, 97);
    rarwrite::Options options;
    options.volumeSize = 4096;
    TestDir dir;
    MemoryFileSystem fs;
    std::vector<std::string> volumes = WriteIntoMemory(dir, "j.part1.rar", entries, options, fs);
    fs.inputs[volumes[1]] = "this is not an archive";
    for (OpenMode mode : {Extract, List}) {
        fs.files.clear();
        RunResult run = RunArchive(fs, volumes[0], mode, Operation::Extract);
        EXPECT_EQ(run.steps, Steps({"open 0", "read 0", "process 18", "read 10", "read 10"}));
        EXPECT_TRUE(fs.files.empty());
    }
}

struct RawCase {
    const char* label;
    std::string bytes;
    Steps steps;
};

class RawArchives : public ::testing::TestWithParam<RawCase> {};

TEST_P(RawArchives, AnswersEachCallAsExpected) {
    MemoryFileSystem fs;
    fs.inputs["raw.rar"] = GetParam().bytes;
    RunResult run = RunArchive(fs, "raw.rar", Extract, Operation::Extract);
    EXPECT_EQ(run.steps, GetParam().steps);
}

std::string Rar4(const std::string& blocks) {
    return Rar4Marker() + Rar4Main() + blocks;
}
std::string Rar5(const std::string& blocks) {
    return Rar5Marker() + Rar5Main() + blocks;
}
std::string Cut(const std::string& s, size_t bytes) {
    return s.substr(0, s.size() - bytes);
}
// A redirection record (a Unix symlink to `target`) for a RAR 5 extra area.
std::string SymlinkRecord(const std::string& target) {
    std::string record = Vint(5) + Vint(1) + Vint(0) + Vint(target.size()) + target;
    return Vint(record.size()) + record;
}
std::string WithByte(std::string s, size_t at, char value) {
    s[at] = value;
    return s;
}

// A RAR 5 file header whose type-specific fields are given raw (CRC still correct).
std::string Rar5RawFile(const std::string& fields, const std::string& data = std::string()) {
    return Rar5Block(2, 0x0002, fields, std::string(), data);
}

const Steps kOneFile = {"open 0", "read 0", "process 0", "read 10", "read 10"};
const Steps kReadBroken = {"open 0", "read 12", "read 10", "read 10"};

const RawCase kRawCases[] = {
    {"Rar4WorkedExample", Rar4(Rar4File("a.txt", "abc") + Rar4End()), kOneFile},
    {"Rar5WorkedExample", Rar5(Rar5File("a.txt", "abc") + Rar5End()), kOneFile},
    {"NotAnArchive", "hello, world", {"open 13"}},
    {"EmptyFile", "", {"open 13"}},
    {"MarkerOnly", Rar4Marker(), {"open 12"}},
    {"LaterFormatGeneration", std::string("Rar!\x1A\x07\x02\x00", 8) + Rar5Main(), {"open 14"}},
    {"Rar4MainHeaderCrc", WithByte(Rar4(Rar4End()), 7, 0), {"open 12"}},
    {"Rar4EncryptedHeaders", Rar4Marker() + Rar4Main(0x0080) + Rar4End(), {"open 22"}},
    {"Rar5MainHeaderCrc", WithByte(Rar5(Rar5End()), 8, 0), {"open 12"}},
    {"Rar5EncryptedHeaders", Rar5Marker() + Rar5Block(4, 0, std::string(40, '\x01')), {"open 22"}},
    {"Rar5FirstBlockNotMain", Rar5Marker() + Rar5End(), {"open 12"}},
    {"NoEndBlock", Rar5(Rar5File("a.txt", "abc")), kOneFile},
    {"TrailingBytes",
     Rar4(Rar4File("a.txt", "abc")) + "xyz",
     {"open 0", "read 0", "process 0", "read 12", "read 10", "read 10"}},
    {"Rar4HeadSizeBelowSeven", Rar4(Rar4Block(0x74, 0x8000, "").substr(0, 5) + "\x05\x00"),
     kReadBroken},
    {"Rar4HeadSizePastEnd", Rar4(std::string("\x00\x00\x74\x00\x80\xFF\xFF", 7)), kReadBroken},
    {"Rar4NameLongerThanHeader",
     Rar4(Rar4Block(0x74, 0x8000,
                    std::string(17, '\0') + "\x14\x30" + "\xFF\xFF" + std::string(4, '\0'))),
     kReadBroken},
    {"Rar4DataPastEnd", Cut(Rar4(Rar4File("a.txt", "abc")), 1), kReadBroken},
    {"Rar4HugeHighPackSize",
     Rar4(Rar4Block(0x74, 0x8100,
                    std::string("\x03\0\0\0\x03\0\0\0\x02", 9) + std::string(8, '\0') +
                        std::string("\x14\x30\x01\x00", 4) + std::string(4, '\0') +
                        "\xFF\xFF\xFF\xFF" + std::string(4, '\0') + "a")),
     kReadBroken},
    {"Rar4ServiceBlockSkipped",
     Rar4(Rar4Block(0x7A, 0x8000,
                    std::string("\x02\0\0\0\x02\0\0\0\x02", 9) + std::string(8, '\0') +
                        std::string("\x14\x30\x03\x00", 4) + std::string(4, '\0') + "CMT",
                    "hi") +
          Rar4File("a.txt", "abc") + Rar4End()),
     kOneFile},
    {"Rar4BadHeaderCrc",
     WithByte(Rar4(Rar4File("a.txt", "abc") + Rar4End()), 20, 0),
     {"open 0", "read 0", "process 12", "read 10", "read 10"}},
    {"Rar5BadHeaderCrc",
     WithByte(Rar5(Rar5File("a.txt", "abc") + Rar5End()), 16, 0),
     {"open 0", "read 0", "process 12", "read 10", "read 10"}},
    {"Rar5SizeVintTooLong",
     Rar5(std::string("\0\0\0\0\x80\x80\x80\x01", 8) + std::string(64, '\0')), kReadBroken},
    {"Rar5SizeVintCut", Rar5(std::string("\0\0\0\0\x80", 5)), kReadBroken},
    {"Rar5HeaderSizeTooSmall", Rar5(std::string("\0\0\0\0\x01\x02", 6)), kReadBroken},
    {"Rar5HugeNameLength",
     Rar5(Rar5RawFile(
         Vint(0) + Vint(3) + Vint(0x20) + Vint(0) + Vint(0) + Vint(uint64_t(1) << 40) + "a.txt",
         "abc")),
     kReadBroken},
    {"Rar5ElevenByteVint",
     Rar5(Rar5RawFile(std::string(10, '\x80') + "\x01" + Vint(3) + Vint(0x20) + Vint(0) + Vint(0) +
                          Vint(1) + "a",
                      "abc")),
     kReadBroken},
    {"Rar5VintOverflow",
     Rar5(Rar5RawFile(
         std::string(9, '\xFF') + "\x7F" + Vint(3) + Vint(0x20) + Vint(0) + Vint(0) + Vint(1) + "a",
         "abc")),
     kReadBroken},
    {"Rar5DataPastEnd", Cut(Rar5(Rar5File("a.txt", "abcdef")), 1), kReadBroken},
    {"Rar5HugeDataSize",
     Rar5(Rar5Block(3, 0x0002, Vint(0)).substr(0, 4) + std::string("\x0B\x03\x02", 3) +
          std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 9)),
     kReadBroken},
    {"Rar5ExtraAreaLargerThanHeader", Rar5(std::string("\0\0\0\0\x04\x03\x01\x7F\x00", 9)),
     kReadBroken},
    {"Rar5ServiceBlockSkipped",
     Rar5(Rar5Block(3, 0, Vint(0) + Vint(0) + Vint(0) + Vint(0) + Vint(0) + Vint(3) + "CMT",
                    std::string(), "comment") +
          Rar5File("a.txt", "abc") + Rar5End()),
     kOneFile},
    {"Rar5MalformedExtraIgnored",
     Rar5(Rar5File("a.txt", "abc", 0, std::string("\x7F\x03", 2)) + Rar5End()), kOneFile},
    {"Rar5SymlinkNotCreated",
     Rar5(Rar5File("link", "target", 0, SymlinkRecord("target")) + Rar5End()), kOneFile},
    {"Rar5UnknownSize",
     Rar5(Rar5RawFile(Vint(0x0008) + Vint(0) + Vint(0x20) + Vint(0) + Vint(0) + Vint(1) + "a",
                      "abc") +
          Rar5End()),
     {"open 0", "read 0", "process 14", "read 10", "read 10"}},
    {"Rar5ContinuationWithoutStart",
     Rar5(Rar5File("a.txt", "abc", 0x0008) + Rar5File("b.txt", "xyz") + Rar5End()), kOneFile},
    {"Rar5SplitAfterWithoutNextVolume",
     Rar5(Rar5File("a.txt", "abc", 0x0010) + Rar5End()),
     {"open 0", "read 0", "process 15", "read 10", "read 10"}},
};

INSTANTIATE_TEST_SUITE_P(Headers, RawArchives, ::testing::ValuesIn(kRawCases),
                         [](const ::testing::TestParamInfo<RawCase>& row) {
                             return std::string(row.param.label);
                         });

TEST(RawArchives, SymlinkEntriesWriteNothing) {
    MemoryFileSystem fs;
    fs.inputs["l.rar"] = Rar5(
        Rar5File("link", "../../etc/passwd", 0, SymlinkRecord("../../etc/passwd")) + Rar5End());
    RunArchive(fs, "l.rar", Extract, Operation::Extract);
    EXPECT_TRUE(fs.files.empty());
}

// Extracts every truncation, or every one-byte change, of a set and checks that each run ends
// and that whatever was written is exactly one of the stored files under its own name.
void ExpectOnlyCorrectFiles(const std::map<std::string, std::string>& expected,
                            const std::vector<std::string>& volumes, const MemoryFileSystem& base,
                            bool truncate) {
    for (size_t v = 0; v < volumes.size(); ++v) {
        const std::string& original = base.inputs.at(volumes[v]);
        size_t variants = truncate ? original.size() : original.size() * 2;
        for (size_t i = 0; i < variants; ++i) {
            MemoryFileSystem fs;
            fs.inputs = base.inputs;
            std::string& bytes = fs.inputs[volumes[v]];
            if (truncate) {
                bytes.resize(i);
            } else {
                bytes[i / 2] = char(bytes[i / 2] ^ (i % 2 ? 0xFF : 0x01));
            }
            for (OpenMode mode : {Extract, List, OpenMode::ListSplitParts}) {
                RunResult run = RunArchive(fs, volumes[0], mode, Operation::Extract);
                ASSERT_TRUE(run.steps.size() == 1 || run.steps.back() == "read 10")
                    << "volume " << v << " variant " << i;
            }
            for (const auto& file : fs.files) {
                auto it = expected.find(file.first);
                ASSERT_NE(it, expected.end()) << file.first << " volume " << v << " variant " << i;
                EXPECT_TRUE(it->second == file.second.data) << file.first << " variant " << i;
            }
        }
    }
}

class DamageSweep : public ::testing::TestWithParam<rarwrite::Format> {};

TEST_P(DamageSweep, NoTruncationOrFlippedByteLeavesAWrongFile) {
    std::vector<rarwrite::Entry> entries(4);
    entries[0].name = "d";
    entries[0].directory = true;
    entries[1].name = "d\\one.txt";
    entries[1].data = Pattern(150, 49);
    entries[2].name = "two.txt";
    entries[2].data = Pattern(90, 50);
    entries[3].name = "zero.txt";
    rarwrite::Options options;
    options.format = GetParam();
    options.volumeSize = 100;
    TestDir dir;
    MemoryFileSystem fs;
    std::vector<std::string> volumes = WriteIntoMemory(dir, "s.part1.rar", entries, options, fs);
    ASSERT_GE(volumes.size(), 3u);
    std::map<std::string, std::string> expected = {
        {"out/d/one.txt", entries[1].data}, {"out/two.txt", entries[2].data}, {"out/zero.txt", ""}};
    ExpectOnlyCorrectFiles(expected, volumes, fs, true);
    ExpectOnlyCorrectFiles(expected, volumes, fs, false);
}

INSTANTIATE_TEST_SUITE_P(Formats, DamageSweep,
                         ::testing::Values(rarwrite::Format::Rar4, rarwrite::Format::Rar5),
                         [](const ::testing::TestParamInfo<rarwrite::Format>& row) {
                             return std::string(row.param == rarwrite::Format::Rar4 ? "Rar4"
                                                                                    : "Rar5");
                         });

}  // namespace
}  // namespace unrartest
