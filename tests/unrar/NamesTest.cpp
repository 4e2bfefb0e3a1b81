// Stored names: the reported form, the cleaned path extraction uses, next-volume names, and
// whole archives with escaping names extracted onto the real disk.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/unrar/CoreFixtures.h"
#include "unrar/core/Names.h"
#include "unrar/core/PosixFileSystem.h"
#include "unrar/core/VolumeNames.h"

namespace unrartest {
namespace {

using rarcore::Format;

struct InterfaceNameCase {
    Format format;
    const char* stored;
    const char* reported;
};

TEST(InterfaceName, UsesWindowsSeparatorsAndReplacesWhatWindowsCannotHold) {
    const InterfaceNameCase cases[] = {
        {Format::Rar4, "dir\\sub\\a.txt", "dir\\sub\\a.txt"},
        {Format::Rar4, "dir/sub/a.txt", "dir\\sub\\a.txt"},
        {Format::Rar5, "dir/sub/a.txt", "dir\\sub\\a.txt"},
        {Format::Rar5, "dir/back\\slash", "dir\\back_slash"},
        {Format::Rar5, "a:b/c:d", "a:b\\c_d"},  // drive letter kept, for the cleaning to drop
        {Format::Rar4, "x:\\y", "x:\\y"},
        {Format::Rar4, "ab:c", "ab_c"},
        {Format::Rar5, "1:x", "1_x"},
    };
    for (const InterfaceNameCase& c : cases) {
        EXPECT_EQ(rarcore::InterfaceName(c.stored, c.format), c.reported) << c.stored;
    }
    EXPECT_EQ(rarcore::InterfaceName(std::string("cut\0here", 8), Format::Rar5), "cut");
}

struct CleanCase {
    const char* name;
    const char* path;  // parts joined with '/'
};

TEST(SafePathParts, RemovesEverythingThatCouldLeaveTheDestination) {
    const CleanCase cases[] = {
        {"a\\b\\c.txt", "a/b/c.txt"},
        {"..\\..\\x", "x"},
        {"C:\\x", "x"},
        {"C:x", "x"},
        {"\\x", "x"},
        {"\\\\server\\share\\x", "server/share/x"},
        {"a\\..\\..\\x", "a/x"},
        {"/x", "x"},
        {"a\\.\\b", "a/b"},
        {"a\\...\\b", "a/b"},
        {".. \\x", "x"},
        {". .\\..\\x", "x"},
        {"..", ""},
        {"", ""},
        {"a\\..", "a"},
        {"..a\\b..", "..a/b.."},
        {"con", "_con"},
        {"dir\\LPT1.txt", "dir/_LPT1.txt"},
        {"nul .txt", "_nul .txt"},
        {"com10", "com10"},
        {"console", "console"},
        {"x:y\\z", "y/z"},
        {"a\\b:c", "a/b_c"},
    };
    for (const CleanCase& c : cases) {
        std::string joined = rarcore::JoinOutputPath("", rarcore::SafePathParts(c.name), '/');
        EXPECT_EQ(joined, c.path) << c.name;
    }
}

TEST(JoinOutputPath, AddsASeparatorOnlyWhenTheDestinationLacksOne) {
    std::vector<std::string> parts = {"a", "b"};
    EXPECT_EQ(rarcore::JoinOutputPath("dest", parts, '\\'), "dest\\a\\b");
    EXPECT_EQ(rarcore::JoinOutputPath("dest\\", parts, '\\'), "dest\\a\\b");
    EXPECT_EQ(rarcore::JoinOutputPath("dest/", parts, '\\'), "dest/a\\b");
    EXPECT_EQ(rarcore::JoinOutputPath("", parts, '\\'), "a\\b");
}

struct VolumeNameCase {
    const char* current;
    bool newNaming;
    const char* next;
};

TEST(NextVolumeName, FollowsBothNamingSchemes) {
    const VolumeNameCase cases[] = {
        {"x.part1.rar", true, "x.part2.rar"},
        {"x.part9.rar", true, "x.part10.rar"},
        {"x.part09.rar", true, "x.part10.rar"},
        {"x.part99.rar", true, "x.part100.rar"},
        {"dir7/x.part1.rar", true, "dir7/x.part2.rar"},
        {"x.part1.exe", true, "x.part2.rar"},
        {"x.rar", true, "x.r00"},  // no digits: old naming
        {"x.rar", false, "x.r00"},
        {"x.r00", false, "x.r01"},
        {"x.r09", false, "x.r10"},
        {"x.r99", false, "x.s00"},
        {"x.exe", false, "x.r00"},
        {"X.SFX", false, "X.r00"},
        {"d.1/x", false, "d.1/x.r00"},
        {"x.part1.rar", false, "x.part1.r00"},
    };
    for (const VolumeNameCase& c : cases) {
        EXPECT_EQ(rarcore::NextVolumeName(c.current, c.newNaming), c.next) << c.current;
    }
}

// Every regular file under `root`, relative to it.
std::vector<std::string> FilesUnder(const std::filesystem::path& root) {
    std::vector<std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
        if (item.is_regular_file()) {
            files.push_back(std::filesystem::relative(item.path(), root).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct EscapeCase {
    const char* label;
    rarwrite::Format format;
    bool verbatim;
};

class EscapingNames : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapingNames, EveryWrittenFileLiesUnderTheDestination) {
    TestDir dir;
    std::vector<rarwrite::Entry> entries;
    for (const char* name : {"..\\..\\x1", "C:\\x2", "\\x3", "a\\..\\..\\x4", "/x5",
                             "../../../../../../../../tmp/x6", "ok\\x7"}) {
        rarwrite::Entry e;
        e.name = name;
        e.data = name;
        entries.push_back(e);
    }
    rarwrite::Options options;
    options.format = GetParam().format;
    options.naming = options.format == rarwrite::Format::Rar5 ? rarwrite::Naming::Parts
                                                              : rarwrite::Naming::OldStyle;
    options.verbatimNames = GetParam().verbatim;
    std::string archive = rarwrite::WriteArchive(dir.File("esc.rar"), entries, options).front();
    std::filesystem::create_directories(dir.File("root/dest"));

    rarcore::PosixFileSystem fs;
    RunResult run = RunArchive(fs, archive, rarcore::OpenMode::Extract, rarcore::Operation::Extract,
                               dir.File("root/dest"));
    EXPECT_EQ(run.entries.size(), entries.size());
    // Nothing beside the destination, and the archive's own folder holds only what it had.
    EXPECT_EQ(FilesUnder(dir.File("root")).size(), FilesUnder(dir.File("root/dest")).size());
    std::vector<std::string> written = FilesUnder(dir.File("root/dest"));
    EXPECT_EQ(written.size(), entries.size());
    std::vector<std::string> expected;
    if (GetParam().verbatim && GetParam().format == rarwrite::Format::Rar5) {
        // A '\' is part of a RAR 5 name: these stay single names inside the destination.
        expected = {"_x2", "_x3", "a_.._.._x4", "x5", "tmp/x6", "ok_x7", ".._.._x1"};
    } else {
        expected = {"x1", "x2", "x3", "a/x4", "x5", "tmp/x6", "ok/x7"};
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(written, expected);
    EXPECT_FALSE(std::filesystem::exists("/tmp/x6"));
}

const EscapeCase kEscapeCases[] = {
    {"Rar4", rarwrite::Format::Rar4, false},
    {"Rar5", rarwrite::Format::Rar5, false},
    {"Rar4Verbatim", rarwrite::Format::Rar4, true},
    {"Rar5Verbatim", rarwrite::Format::Rar5, true},
};

INSTANTIATE_TEST_SUITE_P(Formats, EscapingNames, ::testing::ValuesIn(kEscapeCases),
                         [](const ::testing::TestParamInfo<EscapeCase>& row) {
                             return std::string(row.param.label);
                         });

}  // namespace
}  // namespace unrartest
