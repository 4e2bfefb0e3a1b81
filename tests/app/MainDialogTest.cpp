// The main dialog in process: what only the program itself can see of it (its system menu,
// icons and focus), and the Install dialog it opens.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "app/InstallerDlg.h"
#include "framework/WinApp.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/TempFolder.h"

using namespace test_support;

namespace {

std::string MenuText(HMENU menu, int position) {
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

std::string Text(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

class MainDialog : public ::testing::Test {
protected:
    TempFolder m_folder;
    ScopedCurrentDirectory m_inFolder{m_folder.path()};
    CWinApp m_app;
};

TEST_F(MainDialog, ComposesWindowAndOpensTheInstallDialogAboveIt) {
    WriteFile(m_folder / "Install.ini", "[Config]\nAppName=Foo\nInfoLine2=Middle\n");
    CInstallerDlg dlg;
    m_app.m_pMainWnd = &dlg;
    ModalDriver driver;
    HWND mainWindow = nullptr;

    driver.Then([&](HWND main) {
        mainWindow = main;
        EXPECT_EQ(Text(main), "TOVRA Installer v1.02 - Foo");
        EXPECT_EQ(Text(GetDlgItem(main, 1015)), "\nMiddle\n");
        HICON appIcon = LoadIconA(nullptr, IDI_APPLICATION);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(main, WM_GETICON, ICON_BIG, 0)), appIcon);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(main, WM_GETICON, ICON_SMALL, 0)), appIcon);
        EXPECT_EQ(GetFocus(), GetDlgItem(main, 1004)) << "focus on the first tab stop";

        HMENU sysMenu = GetSystemMenu(main, FALSE);
        ASSERT_NE(sysMenu, nullptr);
        const int count = GetMenuItemCount(sysMenu);
        ASSERT_GE(count, 2);
        EXPECT_EQ(GetMenuItemID(sysMenu, count - 1), 16u);
        EXPECT_EQ(MenuText(sysMenu, count - 1), "&About TOVRA Installer...");
        EXPECT_TRUE(GetMenuState(sysMenu, static_cast<UINT>(count - 2), MF_BYPOSITION) &
                    MF_SEPARATOR);

        PostMessageA(main, WM_COMMAND, MAKEWPARAM(1004, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(main, 1004)));
    });
    driver.Then([&](HWND install) {
        EXPECT_EQ(Text(install), "Install");
        EXPECT_EQ(GetWindow(install, GW_OWNER), mainWindow);
        EXPECT_EQ(Text(GetDlgItem(install, 1009)), "") << "placeholder texts are cleared";
        EXPECT_EQ(Text(GetDlgItem(install, 1010)), "");
        EXPECT_EQ(Text(GetDlgItem(install, 1006)), "");
        EXPECT_EQ(SendDlgItemMessageA(install, 1016, PBM_GETPOS, 0, 0), 0);
        EXPECT_EQ(GetFocus(), GetDlgItem(install, 1007)) << "focus on Set Folder";
        PostMessageA(install, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(mainWindow, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(driver.Done());
    m_app.m_pMainWnd = nullptr;
}

TEST_F(MainDialog, MinimisedWindowPaintsItsIcon) {
    CInstallerDlg dlg;
    m_app.m_pMainWnd = &dlg;
    ModalDriver driver;
    driver.Then([&](HWND main) {
        ShowWindow(main, SW_MINIMIZE);
        EXPECT_TRUE(IsIconic(main));
        RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(main, WM_QUERYDRAGICON, 0, 0)),
                  LoadIconA(nullptr, IDI_APPLICATION));
        ShowWindow(main, SW_RESTORE);
        PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    m_app.m_pMainWnd = nullptr;
}

}  // namespace
