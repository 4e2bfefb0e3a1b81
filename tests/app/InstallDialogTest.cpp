// The Install dialog in process: what its message boxes show (icons included), and how it
// ends by keyboard.
#include <gtest/gtest.h>

#include <windows.h>

#include "dialogs/InstallDlg.h"
#include "framework/WinApp.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/TempFolder.h"
#include "tools/rarwrite/RarWriter.h"

using namespace test_support;

namespace {

class InstallDialog : public ::testing::Test {
protected:
    // A release whose archive r.rar holds one file, a.txt.
    void WriteOneFileRelease() {
        WriteFile(m_release / "Install.ini", "[Config]\nArchiveFirstFile=r.rar\n");
        rarwrite::Entry entry;
        entry.name = "a.txt";
        entry.data = "abc";
        rarwrite::WriteArchive(m_release / "r.rar", {entry}, rarwrite::Options{});
    }

    void TypeFolderAndInstall(HWND dialog) {
        SetDlgItemTextA(dialog, 1006, m_destination.path().c_str());
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(1004, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1004)));
    }

    TempFolder m_release{"release"};
    ScopedCurrentDirectory m_inRelease{m_release.path()};
    TempFolder m_destination{"dest"};
    CWinApp m_app;
};

TEST_F(InstallDialog, SuccessReportHasTheInformationIcon) {
    WriteOneFileRelease();

    CInstallDlg dlg;
    ModalDriver driver;
    ShownBox shown;
    driver.Then([&](HWND dialog) { TypeFolderAndInstall(dialog); });
    driver.Then([&](HWND box) {
        shown = ReadOwnMessageBox(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shown.caption, "TOVRA Installer");
    EXPECT_EQ(shown.icon, "information");
    EXPECT_EQ(dlg.m_strFolder, m_destination.path().c_str());
    EXPECT_EQ(ReadFile(m_destination / "a.txt"), "abc");
}

TEST_F(InstallDialog, ArchiveFailureHasTheStopIconAndKeepsTheDialogOpen) {
    WriteFile(m_release / "Install.ini", "[Config]\nArchiveFirstFile=missing.rar\n");
    CInstallDlg dlg;
    ModalDriver driver;
    ShownBox shown;
    driver.Then([&](HWND dialog) { TypeFolderAndInstall(dialog); });
    driver.Then([&](HWND box) {
        shown = ReadOwnMessageBox(box);
        HWND dialog = GetWindow(box, GW_OWNER);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        // Posted after the box's OK, so it arrives once the run has ended: the dialog must
        // still be open then, and Escape closes it.
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL) << "the run did not end the dialog";
    EXPECT_EQ(shown.caption, "Error");
    EXPECT_EQ(shown.text, "File open error");
    EXPECT_EQ(shown.icon, "error");
}

TEST_F(InstallDialog, EnterInTheFolderFieldEndsWithOkAndExtractsNothing) {
    WriteOneFileRelease();

    CInstallDlg dlg;
    ModalDriver driver;
    driver.Then([&](HWND dialog) {
        HWND edit = GetDlgItem(dialog, 1006);
        SetWindowTextA(edit, m_destination.path().c_str());
        SetFocus(edit);
        PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strFolder, m_destination.path().c_str()) << "OK saved the field";
    EXPECT_FALSE(FileExists(m_destination / "a.txt"));
}

}  // namespace
