// The real Install.exe, started in a prepared release folder and driven from outside.
#include <gtest/gtest.h>

#include <windows.h>

#include "ReleaseFolder.h"
#include "tests/support/ProgramDriver.h"

using namespace test_support;

namespace {

constexpr const char kTitle[] = "TOVRA Installer v1.02 - Foo";

POINT CentreOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class MainWindow : public ::testing::Test {
protected:
    e2e::ReleaseFolder release;
};

TEST_F(MainWindow, ShowsTitleInformationAndButtonsCentred) {
    release.WriteIni(
        "AppName=Foo\r\nInfoLine1=A fine release\r\nInfoLine2=Second & line\r\n"
        "InfoLine3=" +
        std::string(70, 'z') + "\r\n");
    RunningProgram program(release.exe(), release.path());
    HWND main = program.WaitForDialog(kTitle);
    ASSERT_NE(main, nullptr) << "main window with the composed title";

    EXPECT_EQ(ItemText(main, 1015), "A fine release\nSecond & line\n" + std::string(63, 'z'));
    EXPECT_EQ(ItemText(main, 1004), "Install...");
    EXPECT_EQ(ItemText(main, 1005), "Read .NFO");
    EXPECT_EQ(ItemText(main, IDCANCEL), "Quit");

    const LONG style = GetWindowLongA(main, GWL_STYLE);
    EXPECT_EQ(style & 0x90c800c0, 0x90c800c0);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(GetWindowLongA(GetDlgItem(main, 1015), GWL_STYLE) & 0xFFFF, SS_CENTER);
    EXPECT_EQ(GetWindowLongA(GetDlgItem(main, 1004), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);

    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    POINT centre = CentreOf(main);
    EXPECT_NEAR(centre.x, (work.left + work.right) / 2, 1);
    EXPECT_NEAR(centre.y, (work.top + work.bottom) / 2, 1);

    Click(main, IDCANCEL);
    EXPECT_TRUE(program.WaitForExit(10000));
}

TEST_F(MainWindow, WithoutSettingsFileShowsIniMissing) {
    RunningProgram program(release.exe(), release.path());
    HWND main = program.WaitForDialog("TOVRA Installer v1.02 - INI MISSING");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ItemText(main, 1015), "\n\n");
    Click(main, IDCANCEL);
    EXPECT_TRUE(program.WaitForExit(10000));
}

TEST_F(MainWindow, InstallOpensTheInstallDialogOverItAndEscapeReturns) {
    release.WriteIni("AppName=Foo\r\n");
    RunningProgram program(release.exe(), release.path());
    HWND main = program.WaitForDialog(kTitle);
    ASSERT_NE(main, nullptr);

    for (int opening = 0; opening < 2; ++opening) {
        Click(main, 1004);
        HWND install = program.WaitForOwnedDialog(main);
        ASSERT_NE(install, nullptr) << "opening " << opening;
        EXPECT_EQ(WindowText(install), "Install");
        EXPECT_FALSE(IsWindowEnabled(main)) << "the main window is disabled beneath it";
        POINT a = CentreOf(install), b = CentreOf(main);
        EXPECT_NEAR(a.x, b.x, 1) << "opening " << opening;
        EXPECT_NEAR(a.y, b.y, 1) << "opening " << opening;
        EXPECT_EQ(ItemText(install, 1006), "") << "a fresh dialog starts with an empty folder";

        PostCommand(install, IDCANCEL);
        EXPECT_TRUE(program.WaitUntilGone(install));
        EXPECT_EQ(WindowText(main), kTitle);
    }
    PostCommand(main, IDCANCEL);
    EXPECT_TRUE(program.WaitForExit(10000));
}

// Notepad is another process, so its window is found by caption; these tests run serially.
HWND WaitForTopLevel(const std::string& caption, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < deadline) {
        if (HWND window = FindWindowA(nullptr, caption.c_str())) {
            return window;
        }
        Sleep(50);
    }
    return nullptr;
}

TEST_F(MainWindow, ReadNfoOpensTheReleaseNotesInNotepad) {
    release.WriteIni("AppName=Foo\r\n");
    WriteFile(release / "tovra.nfo", "Release notes of Foo");
    RunningProgram program(release.exe(), release.path());
    HWND main = program.WaitForDialog(kTitle);
    ASSERT_NE(main, nullptr);

    Click(main, 1005);
    HWND notepad = WaitForTopLevel("tovra.nfo - Notepad", 15000);
    ASSERT_NE(notepad, nullptr) << "Notepad opened the notes by their bare name";
    HWND edit = FindWindowExA(notepad, nullptr, "Edit", nullptr);
    EXPECT_EQ(WindowText(edit), "Release notes of Foo");
    EXPECT_TRUE(IsWindowEnabled(main)) << "the installer does not wait for Notepad";
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    Click(main, IDCANCEL);
    EXPECT_TRUE(program.WaitForExit(10000));
}

struct Ending {
    const char* name;
    void (*end)(HWND main);
};

class MainWindowEnding : public MainWindow, public ::testing::WithParamInterface<Ending> {};

TEST_P(MainWindowEnding, EndsTheProgramWithoutAsking) {
    release.WriteIni("AppName=Foo\r\n");
    RunningProgram program(release.exe(), release.path());
    HWND main = program.WaitForDialog(kTitle);
    ASSERT_NE(main, nullptr);
    GetParam().end(main);
    EXPECT_TRUE(program.WaitForExit(10000));
    EXPECT_TRUE(program.Dialogs().empty());
}

const Ending kEndings[] = {
    {"Quit", [](HWND main) { Click(main, IDCANCEL); }},
    {"EscapeKey",
     [](HWND main) { PostMessageA(GetDlgItem(main, 1004), WM_KEYDOWN, VK_ESCAPE, 0); }},
    {"CloseBox", [](HWND main) { PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0); }},
};
INSTANTIATE_TEST_SUITE_P(Table, MainWindowEnding, ::testing::ValuesIn(kEndings),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
