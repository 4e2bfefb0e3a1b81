// The settings reader against real Install.ini files in a scratch working directory.
#include <gtest/gtest.h>

#include <windows.h>

#include "settings/Settings.h"
#include "tests/support/TempFolder.h"

using test_support::TempFolder;
using test_support::WriteFile;

namespace {

struct ReadCase {
    const char* name;
    bool hasFile;
    std::string iniText;
    const char* key;
    const char* defaultValue;  // null: the read passes no default
    std::string expected;
};

const ReadCase kReadCases[] = {
    {"FileMissing", false, "", "AppName", "INI MISSING", "INI MISSING"},
    {"SectionNamedOtherwise", true, "[Settings]\nAppName=Foo\n", "AppName", "INI MISSING",
     "INI MISSING"},
    {"KeyMissing", true, "[Config]\nInfoLine1=a\n", "AppName", "INI MISSING", "INI MISSING"},
    {"KeyPresent", true, "[Config]\nAppName=Foo Release\n", "AppName", "INI MISSING",
     "Foo Release"},
    {"NoDefaultGivesEmpty", true, "[Config]\n", "ArchiveFirstFile", nullptr, ""},
    {"MissingFileNoDefault", false, "", "SetupFile", nullptr, ""},
    {"SeventyCharactersCutTo63", true, "[Config]\nInfoLine2=" + std::string(70, 'x') + "\n",
     "InfoLine2", "", std::string(63, 'x')},
    {"SixtyThreeKept", true, "[Config]\nInfoLine3=" + std::string(63, 'y') + "\n", "InfoLine3", "",
     std::string(63, 'y')},
    {"OtherSectionsIgnored", true, "[Other]\nAppName=No\n[Config]\nAppName=Yes\n", "AppName", "",
     "Yes"},
};

class ReadValueTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadValueTest, ReadsKeyOrDefault) {
    const ReadCase& c = GetParam();
    TempFolder dir;
    if (c.hasFile) {
        WriteFile(dir / "Install.ini", c.iniText);
    }
    EXPECT_EQ(settings::ReadValue(dir.path(), c.key, c.defaultValue), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ReadValueTest, ::testing::ValuesIn(kReadCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(IniPath, AppendsFileNameWithoutSeparatorLogic) {
    EXPECT_EQ(settings::IniPath("C:\\Games\\Rel"), "C:\\Games\\Rel\\Install.ini");
    EXPECT_EQ(settings::IniPath("C:\\"), "C:\\\\Install.ini");
}

TEST(IniPath, DriveRootWithDoubledBackslashIsRead) {
    const std::string rootIni = "C:\\Install.ini";
    WriteFile(rootIni, "[Config]\nAppName=Root Release\n");
    EXPECT_EQ(settings::ReadValue("C:\\", "AppName", "INI MISSING"), "Root Release");
    DeleteFileA(rootIni.c_str());
}

TEST(WorkingDirectory, IsWhereTheProcessWasStartedNotTheProgramFolder) {
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    TempFolder dir;
    WriteFile(dir / "Install.ini", "[Config]\nAppName=Elsewhere\n");
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));

    const std::string cwd = settings::WorkingDirectory();
    EXPECT_EQ(cwd, dir.path());
    EXPECT_NE(cwd, test_support::ProgramFolder());
    EXPECT_EQ(settings::ReadValue(cwd, "AppName", "INI MISSING"), "Elsewhere");

    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    EXPECT_EQ(settings::WorkingDirectory(), "C:\\");
    SetCurrentDirectoryA(saved);
}

}  // namespace
