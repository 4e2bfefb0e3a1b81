// Installing a release end to end: the real Install.exe and the stand-in UNRAR.dll under
// Wine, archives made by the writer, files checked on disk.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "ReleaseFolder.h"
#include "tests/support/ProgramDriver.h"
#include "tools/rarwrite/RarWriter.h"

using namespace test_support;

namespace {

constexpr const char kTitle[] = "TOVRA Installer v1.02 - Foo";
constexpr const char kInstalled[] =
    "Installation successful.\n\nEnjoy this fine release from TOVRA!";

std::string Pattern(std::size_t size, unsigned seed) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        data[i] = static_cast<char>(seed >> 16);
    }
    return data;
}

std::vector<rarwrite::Entry> ReleaseFiles() {
    std::vector<rarwrite::Entry> entries(5);
    entries[0].name = "Readme.txt";
    entries[0].data = "Thanks for installing.\r\n";
    entries[1].name = "Data\\Big.pak";
    entries[1].data = Pattern(300000, 7);
    entries[2].name = "Data\\Small.bin";
    entries[2].data = Pattern(4000, 9);
    entries[3].name = "Empty.txt";
    entries[4].name = "Docs";
    entries[4].directory = true;
    return entries;
}

// Starts the program in the release folder and opens its Install dialog.
struct Session {
    explicit Session(const e2e::ReleaseFolder& release) : program(release.exe(), release.path()) {
        main = program.WaitForDialog(kTitle);
        if (main != nullptr) {
            Click(main, 1004);
            install = program.WaitForOwnedDialog(main);
        }
    }

    // Types a folder into the field, presses "Install" and returns the first box it shows.
    HWND InstallInto(const std::string& folder) {
        SendMessageTimeoutA(GetDlgItem(install, 1006), WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(folder.c_str()), SMTO_ABORTIFHUNG, 5000,
                            nullptr);
        Click(install, 1004);
        return program.WaitForOwnedDialog(install, 30000);
    }

    RunningProgram program;
    HWND main = nullptr;
    HWND install = nullptr;
};

class Installing : public ::testing::Test {
protected:
    void WriteRelease(const std::string& setupFile, const rarwrite::Options& options,
                      const std::vector<rarwrite::Entry>& entries = ReleaseFiles()) {
        release.WriteIni(
            "AppName=Foo\r\nArchiveFirstFile=release.part1.rar\r\nSetupFile=" + setupFile + "\r\n");
        volumes = rarwrite::WriteArchive(release / "release.part1.rar", entries, options);
    }

    static rarwrite::Options ThreeVolumes() {
        rarwrite::Options options;
        options.format = rarwrite::Format::Rar5;
        options.volumeSize = 120000;
        return options;
    }

    void ExpectFilesInstalled(const std::string& folder) {
        for (const rarwrite::Entry& entry : ReleaseFiles()) {
            const std::string path = folder + "\\" + entry.name;
            if (entry.directory) {
                EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) << path;
            } else {
                EXPECT_EQ(ReadFile(path), entry.data) << path;
            }
        }
    }

    e2e::ReleaseFolder release;
    TempFolder destination{"dest"};
    std::vector<std::string> volumes;
};

TEST_F(Installing, ThreeVolumeArchiveIntoTypedFolderReportsSuccess) {
    WriteRelease("", ThreeVolumes());
    ASSERT_EQ(volumes.size(), 3u) << "the set is split over three volumes";
    Session session(release);
    ASSERT_NE(session.install, nullptr);

    HWND box = session.InstallInto(destination.path());
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowVisible(session.install)) << "the Install dialog ended before the report";
    const MessageBoxContent shown = ReadMessageBox(box);
    EXPECT_EQ(shown.caption, "TOVRA Installer");
    EXPECT_EQ(shown.text, kInstalled);
    DismissMessageBox(box);
    EXPECT_TRUE(session.program.WaitUntilGone(session.install));
    ExpectFilesInstalled(destination.path());

    EXPECT_EQ(WindowText(session.main), kTitle) << "back at an unchanged main window";
    Click(session.main, IDCANCEL);
    EXPECT_TRUE(session.program.WaitForExit(10000));
}

TEST_F(Installing, FolderWithNonAsciiNameReceivesTheFiles) {
    WriteRelease("", ThreeVolumes());
    const std::string folder = destination /
                               "Spiele \xDC"
                               "ber";  // "Spiele Über", ANSI
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    Session session(release);
    ASSERT_NE(session.install, nullptr);
    HWND box = session.InstallInto(folder);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ReadMessageBox(box).text, kInstalled);
    DismissMessageBox(box);
    ExpectFilesInstalled(folder);
}

TEST_F(Installing, OldStyleVolumesOfRar4AreExtractedToo) {
    rarwrite::Options options = ThreeVolumes();
    options.format = rarwrite::Format::Rar4;
    options.naming = rarwrite::Naming::OldStyle;
    release.WriteIni("AppName=Foo\r\nArchiveFirstFile=release.rar\r\n");
    volumes = rarwrite::WriteArchive(release / "release.rar", ReleaseFiles(), options);
    ASSERT_EQ(volumes.size(), 3u);
    Session session(release);
    ASSERT_NE(session.install, nullptr);
    HWND box = session.InstallInto(destination.path());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ReadMessageBox(box).text, kInstalled);
    DismissMessageBox(box);
    ExpectFilesInstalled(destination.path());
}

TEST_F(Installing, DamagedFileIsReportedAndNoSuccessFollows) {
    rarwrite::Options options = ThreeVolumes();
    options.faults.flipDataByteOf = "Data\\Small.bin";
    WriteRelease("", options);
    Session session(release);
    ASSERT_NE(session.install, nullptr);

    HWND box = session.InstallInto(destination.path());
    ASSERT_NE(box, nullptr);
    const MessageBoxContent shown = ReadMessageBox(box);
    EXPECT_EQ(shown.caption, "Error");
    EXPECT_EQ(shown.text, "File CRC error");
    DismissMessageBox(box);
    // The run goes on with the other files and ends with the dialog still open.
    ASSERT_TRUE(session.program.WaitUntilGone(box));
    Sleep(500);
    for (HWND other : session.program.Dialogs()) {
        EXPECT_NE(ReadMessageBox(other).caption, "TOVRA Installer") << ReadMessageBox(other).text;
    }
    EXPECT_TRUE(IsWindowVisible(session.install)) << "the Install dialog stays open";
    EXPECT_EQ(ReadFile(destination / "Readme.txt"), ReleaseFiles()[0].data);
    EXPECT_FALSE(FileExists(destination / "Data\\Small.bin")) << "the broken file is removed";
}

TEST_F(Installing, SetupProgramStartsInTheDestinationWithoutArguments) {
    std::vector<rarwrite::Entry> entries = ReleaseFiles();
    rarwrite::Entry setup;
    setup.name = "record_setup.exe";
    setup.data = ReadFile(ProgramFolder() + "\\record_setup.exe");
    ASSERT_FALSE(setup.data.empty());
    entries.push_back(setup);
    WriteRelease("record_setup.exe", ThreeVolumes(), entries);
    Session session(release);
    ASSERT_NE(session.install, nullptr);

    HWND box = session.InstallInto(destination.path());
    ASSERT_NE(box, nullptr);
    const MessageBoxContent shown = ReadMessageBox(box);
    EXPECT_EQ(shown.caption, "TOVRA Installer");
    EXPECT_EQ(shown.text,
              "Extraction successful.\n\nThis program's setup routine will now start. After "
              "setup completes, you can delete\nthe directory created by the TOVRA Installer.\n\n"
              "Enjoy this fine release from TOVRA!");
    DismissMessageBox(box);

    const std::string record = destination / "setup-record.txt";
    for (int i = 0; i < 200 && ReadFile(record).empty(); ++i) {
        Sleep(50);
    }
    EXPECT_EQ(ReadFile(record), destination.path() + "\n");
}

TEST(InstallingWithoutLibrary, ReportsTheMissingLibraryAndReturnsToTheMainWindow) {
    e2e::ReleaseFolder release(false);
    release.WriteIni("AppName=Foo\r\n");
    RunningProgram program(release.exe(), release.path());
    HWND main = program.WaitForDialog(kTitle);
    ASSERT_NE(main, nullptr);

    for (int press = 0; press < 2; ++press) {
        Click(main, 1004);
        // The box belongs to the Install dialog, which is never shown.
        HWND box = program.WaitForDialog("Error");
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(IsWindowVisible(GetWindow(box, GW_OWNER)));
        const MessageBoxContent shown = ReadMessageBox(box);
        EXPECT_EQ(shown.caption, "Error");
        EXPECT_EQ(shown.text,
                  "Could not load UnRAR.DLL...\n\nUnRAR.DLL must be located in the same "
                  "directory\nas the installer for it function.");
        DismissMessageBox(box);
        ASSERT_TRUE(program.WaitUntilGone(box));
        Sleep(200);
        EXPECT_EQ(program.Dialogs(), std::vector<HWND>{main}) << "no Install dialog appeared";
    }
    Click(main, IDCANCEL);
    EXPECT_TRUE(program.WaitForExit(10000));
}

}  // namespace
