#include "dialogs/InstallDlg.h"

#include <shellapi.h>

#include "framework/DataExchange.h"
#include "res/resource.h"

namespace {
// Controls of the Install dialog (template 132).
constexpr int kSetFolderButton = 1007;
constexpr int kFolderEdit = 1006;
constexpr int kInstallButton = 1004;
constexpr int kFileStatus = 1009;
constexpr int kArchiveStatus = 1010;
constexpr int kProgressBar = 1016;
}  // namespace

BEGIN_MESSAGE_MAP(CInstallDlg, CDialog)
ON_BN_CLICKED(kSetFolderButton, OnSetFolder)
ON_BN_CLICKED(kInstallButton, OnInstall)
END_MESSAGE_MAP()

CInstallDlg::CInstallDlg(CWnd* pParent) : CDialog(IDD_INSTALL_DIALOG, pParent) {
    m_strFolder = "";
}

CInstallDlg::~CInstallDlg() = default;

void CInstallDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kProgressBar, m_progress);
    DDX_Text(pDX, kFolderEdit, m_strFolder);
}

BOOL CInstallDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(kFileStatus, "");
    SetDlgItemText(kArchiveStatus, "");
    m_progress.SetStep(1);
    m_progress.SetPos(0);
    return TRUE;
}

void CInstallDlg::OnSetFolder() {}

void CInstallDlg::OnInstall() {}

void CInstallDlg::ShowMessage(const std::string& text, const char* caption, UINT type) {
    MessageBox(text.c_str(), caption, type);
}

void CInstallDlg::EndWithOk() {
    CDialog::OnOK();
}

std::string CInstallDlg::TakeFolderFromField() {
    UpdateData(TRUE);
    return m_strFolder.str();
}

std::string CInstallDlg::Folder() const {
    return m_strFolder.str();
}

void CInstallDlg::SetItemText(int controlId, const std::string& text) {
    SetDlgItemText(controlId, text.c_str());
}

LRESULT CInstallDlg::SendProgress(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_progress.SendMessage(message, wParam, lParam);
}

void CInstallDlg::OpenProgram(const std::string& file, const std::string& workingDirectory) {
    ::ShellExecuteA(m_hWnd, "open", file.c_str(), nullptr, workingDirectory.c_str(), SW_SHOWNORMAL);
}
