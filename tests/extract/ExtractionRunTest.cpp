// The run's order of calls and host actions, its progress range, close answers, settings
// and working-directory handling, against the scripted library.
#include "RunFixture.h"

#include <commctrl.h>

namespace {

using fake::Archive;

std::vector<Archive> TwoVolumeScript() {
    Archive archive;
    archive.headers = {{"game.rar", "readme.txt"}, {"game.r00", "data\\level.dat"}};
    return {archive, archive};
}

class ExtractionRunTest : public RunFixture {};

TEST_F(ExtractionRunTest, BothPassesCallTheLibraryAndHostInOrder) {
    folder.WriteSettings("game.rar", "setup.exe");
    fake::Install(TwoVolumeScript());
    Run();
    const std::string arc = folder.ArchivePath("game.rar");
    const std::vector<std::string> expected = {
        "take-folder C:\\Games\\Dest",
        OpenEntry(0, arc),
        ReadEntry(1),
        "text 1010 Archive: game.rar",
        "text 1009 Extracting readme.txt...",
        ProcessEntry(1),
        ReadEntry(1),
        "text 1010 Archive: game.r00",
        "text 1009 Extracting data\\level.dat...",
        ProcessEntry(1),
        ReadEntry(1),
        CloseEntry(1),
        RangeEntry(2),
        OpenEntry(1, arc),
        ReadEntry(2),
        "text 1010 Archive: game.rar",
        "text 1009 Extracting readme.txt...",
        "progress PBM_STEPIT 0 0",
        ProcessEntry(2),
        ReadEntry(2),
        "text 1010 Archive: game.r00",
        "text 1009 Extracting data\\level.dat...",
        "progress PBM_STEPIT 0 0",
        ProcessEntry(2),
        ReadEntry(2),
        "progress PBM_SETPOS 0 0",
        CloseEntry(2),
        "text 1010 ",
        "text 1009 ",
        "end",
        BoxEntry("TOVRA Installer", kExtractionSuccessful, kInformation),
        "open-program setup.exe|C:\\Games\\Dest",
    };
    EXPECT_EQ(fake::Log(), expected);
    EXPECT_EQ(extract::ArchiveOpenRecord.ArcName, nullptr) << "no pointer into the finished run";
}

TEST_F(ExtractionRunTest, EmptyArchiveSetsRangeOneNoStepAndEndsCleanly) {
    folder.WriteSettings("empty.rar", "");
    fake::Install({Archive(), Archive()});
    Run();
    const std::string arc = folder.ArchivePath("empty.rar");
    const std::vector<std::string> expected = {
        "take-folder C:\\Games\\Dest",
        OpenEntry(0, arc),
        ReadEntry(1),
        CloseEntry(1),
        "progress PBM_SETRANGE 0 1",
        OpenEntry(1, arc),
        ReadEntry(2),
        "progress PBM_SETPOS 0 0",
        CloseEntry(2),
        "text 1010 ",
        "text 1009 ",
        "end",
        BoxEntry("TOVRA Installer", kInstallationSuccessful, kInformation),
    };
    EXPECT_EQ(fake::Log(), expected);
}

TEST_F(ExtractionRunTest, SeventyThousandFilesGiveUpperBoundOfTheLowSixteenBits) {
    folder.WriteSettings("big.rar", "");
    fake::Install({fake::FilesArchive(70000), fake::FilesArchive(70000)});
    fake::SetLogHeaders(false);
    Run();
    EXPECT_TRUE(Contains(fake::Log(), RangeEntry(4464)));
    EXPECT_EQ(RangeEntry(4464), "progress PBM_SETRANGE 0 292552705");
    EXPECT_EQ(fake::Count().processes, 140000u);
    EXPECT_EQ(host.stepCount, 70000);
    EXPECT_EQ(host.itemTexts[1009], "");
    EXPECT_TRUE(EndedCleanly());
}

struct CloseCase {
    const char* name;
    bool inCountingPass;
    int answer;
    bool reported;
    bool endsCleanly;
};

class CloseAnswerTest : public RunFixture, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseAnswerTest, CountingPassGoesOnExtractingPassEndsTheRun) {
    const CloseCase& c = GetParam();
    folder.WriteSettings("game.rar", "setup.exe");
    std::vector<Archive> script = {fake::FilesArchive(2), fake::FilesArchive(2)};
    script[c.inCountingPass ? 0 : 1].closeAnswer = c.answer;
    fake::Install(script);
    Run();
    const std::vector<std::string>& log = fake::Log();
    const int handle = c.inCountingPass ? 1 : 2;
    const auto close = std::find(log.begin(), log.end(), CloseEntry(handle));
    ASSERT_NE(close, log.end());
    const bool boxFollows = close + 1 != log.end() && close[1] == ErrorBox("Archive close error");
    EXPECT_EQ(boxFollows, c.reported);
    EXPECT_EQ(Occurrences(log, ErrorBox("Archive close error")), c.reported ? 1u : 0u);
    EXPECT_EQ(EndedCleanly(), c.endsCleanly);
    EXPECT_EQ(Contains(log, "open-program setup.exe|C:\\Games\\Dest"), c.endsCleanly);
    if (!c.endsCleanly) {
        // The last file's status lines stay, the progress bar was reset before the close.
        EXPECT_EQ(log.back(), c.reported ? ErrorBox("Archive close error") : CloseEntry(2));
        EXPECT_EQ(host.itemTexts[1010], "Archive: vol.rar");
        EXPECT_EQ(host.itemTexts[1009], "Extracting f1...");
        EXPECT_TRUE(Contains(log, "progress PBM_SETPOS 0 0"));
    }
}

INSTANTIATE_TEST_SUITE_P(Close, CloseAnswerTest,
                         ::testing::Values(CloseCase{"Counting17", true, 17, true, true},
                                           CloseCase{"Counting21", true, 21, false, true},
                                           CloseCase{"Extracting17", false, 17, true, false},
                                           CloseCase{"Extracting21", false, 21, false, false}),
                         NameOfCase());

struct SetupCase {
    const char* name;
    std::vector<std::string> iniLines;
    std::string box;
    std::string program;  // empty: none started
};

class SetupFileTest : public RunFixture, public ::testing::WithParamInterface<SetupCase> {};

TEST_P(SetupFileTest, SuccessReportAndSetupProgramFollowTheEnd) {
    const SetupCase& c = GetParam();
    folder.WriteIni(c.iniLines);
    fake::Install({fake::FilesArchive(1), fake::FilesArchive(1)});
    host.field = "D:\\Typed Folder";
    Run();
    std::vector<std::string> tail = {"end", BoxEntry("TOVRA Installer", c.box, kInformation)};
    if (!c.program.empty()) {
        tail.push_back("open-program " + c.program + "|D:\\Typed Folder");
    }
    EXPECT_EQ(LogFrom(fake::Log().size() - tail.size()), tail);
}

INSTANTIATE_TEST_SUITE_P(
    Setup, SetupFileTest,
    ::testing::Values(
        SetupCase{"KeyMissing", {"ArchiveFirstFile=a.rar"}, kInstallationSuccessful, ""},
        SetupCase{"Empty", {"ArchiveFirstFile=a.rar", "SetupFile="}, kInstallationSuccessful, ""},
        SetupCase{"ProgramName",
                  {"ArchiveFirstFile=a.rar", "SetupFile=Setup\\install me.exe"},
                  kExtractionSuccessful,
                  "Setup\\install me.exe"}),
    NameOfCase());

TEST_F(ExtractionRunTest, SettingsAreReadAfreshAtEveryRun) {
    folder.WriteSettings("first.rar", "one.exe");
    fake::Install({fake::FilesArchive(1), fake::FilesArchive(1)});
    Run();
    EXPECT_TRUE(Contains(fake::Log(), OpenEntry(1, folder.ArchivePath("first.rar"))));
    EXPECT_TRUE(Contains(fake::Log(), "open-program one.exe|C:\\Games\\Dest"));

    folder.WriteSettings("second-archive.rar", "the-other-setup.exe");
    fake::Install({fake::FilesArchive(1), fake::FilesArchive(1)});
    Run();
    EXPECT_TRUE(Contains(fake::Log(), OpenEntry(0, folder.ArchivePath("second-archive.rar"))));
    EXPECT_TRUE(Contains(fake::Log(), "open-program the-other-setup.exe|C:\\Games\\Dest"));

    folder.WriteIni({"ArchiveFirstFile=first.rar"});
    fake::Install({fake::FilesArchive(1), fake::FilesArchive(1)});
    Run();
    EXPECT_EQ(fake::Log().back(),
              BoxEntry("TOVRA Installer", kInstallationSuccessful, kInformation));
}

TEST_F(ExtractionRunTest, MissingArchiveKeyOpensTheDirectoryWithABackslash) {
    folder.WriteIni({"SetupFile=x.exe"});
    Archive missing;
    missing.openResult = ERAR_EOPEN;
    fake::Install({missing});
    Run();
    const std::vector<std::string> expected = {"take-folder C:\\Games\\Dest",
                                               OpenEntry(0, folder.Path() + "\\"),
                                               ErrorBox("File open error")};
    EXPECT_EQ(fake::Log(), expected);
}

TEST(ExtractionRunAtDriveRoot, ArchivePathKeepsTheRootsBackslashAndAddsOne) {
    WorkingFolder root = WorkingFolder::Existing("C:\\");
    root.WriteSettings("root-game.rar", "root-setup.exe");
    RecordingHost host;
    host.field = kDestination;
    fake::Install({fake::FilesArchive(1), fake::FilesArchive(1)});
    extract::ExtractionRun(host).Run();
    EXPECT_EQ(fake::Log().at(1), OpenEntry(0, "C:\\\\root-game.rar"));
    EXPECT_EQ(fake::Log().back(), "open-program root-setup.exe|C:\\Games\\Dest");
}

TEST(ExtractionRunUnbound, RunWithoutALibraryReportsItAndCallsNothing) {
    WorkingFolder folder;
    folder.WriteSettings("game.rar", "");
    RecordingHost host;
    fake::Install({});
    extract::ExtractionRun(host, extract::ArchiveEntryPoints()).Run();
    const std::vector<std::string> expected = {
        ErrorBox("Could not load UnRAR.DLL...\n\nUnRAR.DLL must be located in the same "
                 "directory\nas the installer for it function.")};
    EXPECT_EQ(fake::Log(), expected);
    EXPECT_EQ(host.endCount, 0);
}

}  // namespace
