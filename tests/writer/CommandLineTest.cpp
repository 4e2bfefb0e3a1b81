// The rarwriter command line: what each option sets, and the arguments it refuses.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/writer/TestDir.h"
#include "tools/rarwriter/CommandLine.h"

namespace {

using rarwriter::CommandLine;
using rarwriter::ParseCommandLine;

struct AcceptedCase {
    std::vector<std::string> args;
    std::function<bool(const CommandLine&)> holds;
};

TEST(CommandLine, OptionsSetWhatTheySay) {
    const std::vector<AcceptedCase> cases = {
        {{"a.rar", "in"},
         [](const CommandLine& c) {
             return c.archive == "a.rar" && c.inputs.size() == 1 && c.inputs[0].path == "in" &&
                    c.options.format == rarwrite::Format::Rar5 && c.options.volumeSize == 0;
         }},
        {{"--format", "rar4", "--naming", "old", "a.rar"},
         [](const CommandLine& c) {
             return c.options.format == rarwrite::Format::Rar4 &&
                    c.options.naming == rarwrite::Naming::OldStyle;
         }},
        {{"--volume-size", "1000", "a.rar"},
         [](const CommandLine& c) { return c.options.volumeSize == 1000; }},
        {{"--volume-size", "3k", "a.rar"},
         [](const CommandLine& c) { return c.options.volumeSize == 3072; }},
        {{"--volume-size", "2M", "a.rar"},
         [](const CommandLine& c) { return c.options.volumeSize == 2u << 20; }},
        {{"--volume-size", "1G", "a.rar"},
         [](const CommandLine& c) { return c.options.volumeSize == 1u << 30; }},
        {{"--part-digits", "3", "a.rar"},
         [](const CommandLine& c) { return c.options.partDigits == 3; }},
        {{"a.rar", "--store", "..\\..\\x=file", "--store-dir", "C:\\d"},
         [](const CommandLine& c) {
             return c.inputs.size() == 2 && c.inputs[0].storedName == "..\\..\\x" &&
                    c.inputs[0].path == "file" && c.inputs[1].storedName == "C:\\d" &&
                    c.inputs[1].kind == rarwriter::Input::Kind::StoredDirectory;
         }},
        {{"a.rar", "--flip-data", "x", "--flip-header", "y", "--wrong-part-crc", "z",
          "--omit-next-volume-flag", "--delete-volume", "2", "--truncate-volume", "0",
          "--compressed", "--encrypted", "--verbatim-names"},
         [](const CommandLine& c) {
             const rarwrite::Faults& f = c.options.faults;
             return f.flipDataByteOf == "x" && f.flipHeaderByteOf == "y" &&
                    f.wrongPartCrcOf == "z" && f.omitNextVolumeFlag && f.deleteVolume == 2 &&
                    f.truncateVolume == 0 && f.compressedMethod && f.encrypted &&
                    c.options.verbatimNames;
         }},
        {{"--help"}, [](const CommandLine& c) { return c.help; }},
    };
    for (const AcceptedCase& c : cases) {
        EXPECT_TRUE(c.holds(ParseCommandLine(c.args))) << ::testing::PrintToString(c.args);
    }
}

TEST(CommandLine, BadArgumentsAreRefused) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--format", "rar3", "a.rar"},
        {"--format"},
        {"--naming", "new", "a.rar"},
        {"--naming", "old", "a.rar"},  // RAR 5 sets have no old-style names
        {"--volume-size", "12X", "a.rar"},
        {"--volume-size", "-5", "a.rar"},
        {"--volume-size", "", "a.rar"},
        {"--volume-size", "99999999999999999999", "a.rar"},
        {"--volume-size", "20000000000G", "a.rar"},  // overflows 64 bits
        {"--part-digits", "0", "a.rar"},
        {"--part-digits", "10", "a.rar"},
        {"--store", "nameonly", "a.rar"},
        {"--store", "=file", "a.rar"},
        {"--delete-volume", "x", "a.rar"},
        {"--bogus", "a.rar"},
    };
    for (const std::vector<std::string>& args : cases) {
        EXPECT_THROW(ParseCommandLine(args), std::invalid_argument)
            << ::testing::PrintToString(args);
    }
}

TEST(CommandLine, InputsBecomeEntries) {
    writertest::TestDir dir;
    std::ofstream(dir.File("data.bin"), std::ios::binary) << "payload";
    const CommandLine line =
        ParseCommandLine({"a.rar", dir.File("data.bin"), "--store", "..\\x=" + dir.File("data.bin"),
                          "--store-dir", "folder"});
    const std::vector<rarwrite::Entry> entries = rarwriter::CollectEntries(line.inputs);
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ("data.bin", entries[0].name);
    EXPECT_EQ("payload", entries[0].data);
    EXPECT_EQ("..\\x", entries[1].name);
    EXPECT_EQ("payload", entries[1].data);
    EXPECT_EQ("folder", entries[2].name);
    EXPECT_TRUE(entries[2].directory);

    EXPECT_THROW(
        rarwriter::CollectEntries(ParseCommandLine({"a.rar", dir.File("missing.bin")}).inputs),
        std::runtime_error);
}

}  // namespace
