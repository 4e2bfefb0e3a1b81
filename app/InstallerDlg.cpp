#include "app/InstallerDlg.h"

#include <shellapi.h>

#include "app/WindowTexts.h"
#include "dialogs/InstallDlg.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "res/InstallerDlgIds.h"
#include "res/resource.h"
#include "settings/Settings.h"

BEGIN_MESSAGE_MAP(CInstallerDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_MAIN_READ_NFO, OnReadNfo)
ON_BN_CLICKED(IDC_MAIN_INSTALL, OnOpenInstallDialog)
END_MESSAGE_MAP()

CInstallerDlg::CInstallerDlg(CWnd* pParent)
    : CDialog(IDD_INSTALLER_DIALOG, pParent), m_hIcon(::LoadIconA(nullptr, IDI_APPLICATION)) {}

void CInstallerDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
}

BOOL CInstallerDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    AppendAboutEntry();

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    CString version;
    version.LoadString(IDS_VERSION);

    const std::string directory = settings::WorkingDirectory();
    const std::string appName = settings::ReadValue(directory, "AppName", "INI MISSING");
    SetWindowText(app_texts::MainTitle(version.str(), appName).c_str());

    const std::string line1 = settings::ReadValue(directory, "InfoLine1", "");
    const std::string line2 = settings::ReadValue(directory, "InfoLine2", "");
    const std::string line3 = settings::ReadValue(directory, "InfoLine3", "");
    SetDlgItemText(IDC_MAIN_APP_INFO, app_texts::InfoText(line1, line2, line3).c_str());
    return TRUE;
}

void CInstallerDlg::AppendAboutEntry() {
    CMenu* sysMenu = GetSystemMenu(FALSE);
    if (sysMenu == nullptr) {
        return;
    }
    CString aboutText;
    if (aboutText.LoadString(IDS_ABOUTBOX) && !aboutText.IsEmpty()) {
        sysMenu->AppendMenu(MF_SEPARATOR);
        sysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutText);
    }
}

void CInstallerDlg::OnCancel() {
    CDialog::OnCancel();
}

void CInstallerDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    CDialog::OnSysCommand(nID, lParam);
}

void CInstallerDlg::OnPaint() {
    CPaintDC dc(this);
    if (IsIconic()) {
        DrawMinimisedIcon(dc);
    } else {
        CDialog::OnPaint();
    }
}

void CInstallerDlg::DrawMinimisedIcon(CDC& dc) {
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(&client);
    const POINT at = app_texts::CentredIconOrigin(
        client.right - client.left, client.bottom - client.top, iconWidth, iconHeight);
    dc.DrawIcon(at.x, at.y, m_hIcon);
}

HCURSOR CInstallerDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

void CInstallerDlg::OnReadNfo() {
    // Notepad finds the bare file name because it starts in the installer's working directory.
    const std::string directory = settings::WorkingDirectory();
    ::ShellExecuteA(m_hWnd, "open", "notepad.exe", "tovra.nfo", directory.c_str(), SW_SHOWNORMAL);
}

void CInstallerDlg::OnOpenInstallDialog() {
    CInstallDlg dlg;
    dlg.DoModal();
}
