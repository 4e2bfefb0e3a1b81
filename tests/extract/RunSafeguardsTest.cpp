// How the run keeps from wrong results and unsafe calls: header reads that keep failing,
// files that fail in the extracting pass, opens without a handle, names in the OEM code
// page, names that fill their field, archive paths that do not fit, and the folder typed
// into the field.
#include "RunFixture.h"

namespace {

using fake::Archive;

class RunSafeguardsTest : public RunFixture {};

struct ReadErrorCase {
    const char* name;
    bool inCountingPass;
    int answer;
    const char* text;  // null: no message
};

class HeaderReadErrorTest : public RunFixture,
                            public ::testing::WithParamInterface<ReadErrorCase> {};

// The failing read ends the pass (the fake answers the error for ever), the archive is
// closed, and only a failure in the extracting pass keeps the run from its clean end.
TEST_P(HeaderReadErrorTest, ReadErrorEndsThePassAndClosesTheArchive) {
    const ReadErrorCase& c = GetParam();
    folder.WriteSettings("game.rar", "setup.exe");
    std::vector<Archive> script = {fake::FilesArchive(2), fake::FilesArchive(2)};
    Archive& failing = script[c.inCountingPass ? 0 : 1];
    failing.headers.resize(1);
    failing.endAnswer = c.answer;
    fake::Install(script);
    Run();

    const int handle = c.inCountingPass ? 1 : 2;
    std::vector<std::string> expected = {ProcessEntry(handle), ReadEntry(handle)};
    if (c.text != nullptr) {
        expected.push_back(ErrorBox(c.text));
    }
    if (!c.inCountingPass) {
        expected.push_back("progress PBM_SETPOS 0 0");
    }
    expected.push_back(CloseEntry(handle));
    const std::vector<std::string>& log = fake::Log();
    const auto last = std::find(log.rbegin(), log.rend(), ProcessEntry(handle));
    ASSERT_NE(last, log.rend());
    const std::size_t start = static_cast<std::size_t>(log.rend() - last) - 1;
    ASSERT_GE(log.size(), start + expected.size());
    EXPECT_EQ(std::vector<std::string>(log.begin() + start, log.begin() + start + expected.size()),
              expected);

    if (c.inCountingPass) {
        EXPECT_TRUE(Contains(log, RangeEntry(1))) << "the files counted before the error";
        EXPECT_TRUE(EndedCleanly());
    } else {
        EXPECT_EQ(log.back(), CloseEntry(2));
        EXPECT_EQ(host.endCount, 0);
        EXPECT_FALSE(Contains(log, "open-program setup.exe|C:\\Games\\Dest"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reads, HeaderReadErrorTest,
    ::testing::Values(ReadErrorCase{"CountingOpenError15", true, 15, "File open error"},
                      ReadErrorCase{"CountingHeaderBroken12", true, 12, "Archive header broken"},
                      ReadErrorCase{"CountingPassword22", true, 22, nullptr},
                      ReadErrorCase{"ExtractingOpenError15", false, 15, "File open error"},
                      ReadErrorCase{"ExtractingHeaderBroken12", false, 12, "Archive header broken"},
                      ReadErrorCase{"ExtractingPassword22", false, 22, nullptr}),
    NameOfCase());

TEST_F(RunSafeguardsTest, FailedFileAmongOthersLeavesTheDialogOpenAfterTheClose) {
    folder.WriteSettings("game.rar", "setup.exe");
    std::vector<Archive> script = {fake::FilesArchive(3), fake::FilesArchive(3)};
    script[1].processAnswers = {0, ERAR_ECREATE, 0};
    fake::Install(script);
    Run();
    const std::vector<std::string> tail = {ProcessEntry(2),
                                           ErrorBox("File create error"),
                                           ReadEntry(2),
                                           "text 1010 Archive: vol.rar",
                                           "text 1009 Extracting f2...",
                                           "progress PBM_STEPIT 0 0",
                                           ProcessEntry(2),
                                           ReadEntry(2),
                                           "progress PBM_SETPOS 0 0",
                                           CloseEntry(2)};
    EXPECT_EQ(LogFrom(fake::Log().size() - tail.size()), tail);
    EXPECT_EQ(host.endCount, 0);
    EXPECT_EQ(host.itemTexts[1009], "Extracting f2...");
}

TEST_F(RunSafeguardsTest, OpenWithoutHandleEndsTheRunEvenWithoutAResultCode) {
    folder.WriteSettings("game.rar", "");
    Archive noHandle;
    noHandle.nullHandle = true;
    fake::Install({noHandle});
    Run();
    const std::vector<std::string> expected = {"take-folder C:\\Games\\Dest",
                                               OpenEntry(0, folder.ArchivePath("game.rar"))};
    EXPECT_EQ(fake::Log(), expected);
}

std::string Encode(UINT codePage, const wchar_t* text) {
    char buffer[MAX_PATH] = {};
    WideCharToMultiByte(codePage, 0, text, -1, buffer, MAX_PATH, nullptr, nullptr);
    return buffer;
}

TEST_F(RunSafeguardsTest, DestinationGoesOutInOemAndStoredNamesComeBackInAnsi) {
    if (GetACP() == GetOEMCP()) {
        GTEST_SKIP() << "ANSI and OEM code pages are the same here";
    }
    const std::string folderAnsi = Encode(CP_ACP, L"C:\\Spiele\\\u00dcber");
    const std::string folderOem = Encode(CP_OEMCP, L"C:\\Spiele\\\u00dcber");
    ASSERT_NE(folderAnsi, folderOem);
    folder.WriteSettings("game.rar", "");
    Archive archive;
    archive.headers = {{Encode(CP_ACP, L"\u00dcber.rar"), Encode(CP_OEMCP, L"\u00c4rger.txt")}};
    fake::Install({archive, archive});
    host.field = folderAnsi;
    Run();
    EXPECT_EQ(fake::LastDestination(), folderOem);
    EXPECT_TRUE(Contains(fake::Log(), ProcessEntry(1, folderOem)));
    EXPECT_TRUE(Contains(fake::Log(), ProcessEntry(2, folderOem)));
    EXPECT_TRUE(Contains(fake::Log(), "text 1010 Archive: " + Encode(CP_ACP, L"\u00dcber.rar")));
    EXPECT_TRUE(
        Contains(fake::Log(), "text 1009 Extracting " + Encode(CP_ACP, L"\u00c4rger.txt") + "..."));
    EXPECT_EQ(host.folder, folderAnsi) << "the setup program still starts in the ANSI folder";
}

TEST_F(RunSafeguardsTest, NamesFillingTheWholeFieldAreShownWithoutReadingPastIt) {
    folder.WriteSettings("game.rar", "");
    Archive archive;
    archive.headers = {{std::string(300, 'a'), std::string(300, 'n')}};
    fake::Install({archive, archive});
    Run();
    EXPECT_TRUE(Contains(fake::Log(), "text 1010 Archive: " + std::string(260, 'a')));
    EXPECT_TRUE(Contains(fake::Log(), "text 1009 Extracting " + std::string(260, 'n') + "..."));
}

struct PathLengthCase {
    const char* name;
    std::size_t nameLength;
    bool fits;
};

class ArchivePathLengthTest : public ::testing::TestWithParam<PathLengthCase> {};

// With a 196-character working directory, a 62-character name makes a 259-character path
// (the most the buffer holds) and a 63-character name one character too many.
TEST_P(ArchivePathLengthTest, TooLongPathIsRefusedBeforeAnyLibraryCall) {
    const PathLengthCase& c = GetParam();
    WorkingFolder folder(196);
    ASSERT_EQ(folder.Path().size(), 196u);
    const std::string firstVolume = std::string(c.nameLength - 4, 'v') + ".rar";
    folder.WriteSettings(firstVolume, "");
    RecordingHost host;
    host.field = kDestination;
    fake::Install({fake::FilesArchive(1), fake::FilesArchive(1)});
    extract::ExtractionRun(host).Run();
    if (c.fits) {
        EXPECT_EQ(fake::Log().at(1), OpenEntry(0, folder.ArchivePath(firstVolume)));
        EXPECT_EQ(folder.ArchivePath(firstVolume).size(), 259u);
        EXPECT_EQ(host.endCount, 1);
    } else {
        const std::vector<std::string> expected = {"take-folder C:\\Games\\Dest",
                                                   ErrorBox("Archive path too long")};
        EXPECT_EQ(fake::Log(), expected);
        EXPECT_EQ(fake::Count().opens, 0u);
        EXPECT_EQ(host.endCount, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, ArchivePathLengthTest,
                         ::testing::Values(PathLengthCase{"Fits259", 62, true},
                                           PathLengthCase{"TooLong260", 63, false}),
                         NameOfCase());

TEST_F(RunSafeguardsTest, TextTypedIntoTheFieldIsWhereTheFilesGo) {
    folder.WriteSettings("game.rar", "setup.exe");
    fake::Install({fake::FilesArchive(2), fake::FilesArchive(2)});
    host.folder = "C:\\Chosen Earlier";
    host.field = "E:\\Typed";
    Run();
    EXPECT_EQ(fake::Log().front(), "take-folder E:\\Typed");
    EXPECT_EQ(Occurrences(fake::Log(), ProcessEntry(2, "E:\\Typed")), 2u);
    EXPECT_EQ(fake::Log().back(), "open-program setup.exe|E:\\Typed");
}

}  // namespace
