#include "dialogs/InstallDlg.h"

#include <shellapi.h>

#include "extract/ArchiveBinding.h"
#include "extract/ExtractionRun.h"
#include "framework/DataExchange.h"
#include "res/InstallDlgIds.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CInstallDlg, CDialog)
ON_BN_CLICKED(IDC_INSTALL_SET_FOLDER, OnSetFolder)
ON_BN_CLICKED(IDC_INSTALL_START, OnInstall)
END_MESSAGE_MAP()

CInstallDlg::CInstallDlg(CWnd* pParent) : CDialog(IDD_INSTALL_DIALOG, pParent) {
    m_strFolder = "";
}

CInstallDlg::~CInstallDlg() = default;

void CInstallDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_INSTALL_PROGRESS, m_progress);
    DDX_Text(pDX, IDC_INSTALL_FOLDER, m_strFolder);
}

BOOL CInstallDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // A library that cannot be bound ends this dialog before it is ever shown; the rest of
    // the initialisation still runs on the ended dialog.
    extract::BindArchiveLibrary(*this);
    SetDlgItemText(IDC_INSTALL_STATUS_FILE, "");
    SetDlgItemText(IDC_INSTALL_STATUS_ARCHIVE, "");
    m_progress.SetStep(1);
    m_progress.SetPos(0);
    return TRUE;
}

void CInstallDlg::OnSetFolder() {}

void CInstallDlg::OnInstall() {
    extract::ExtractionRun run(*this);
    run.Run();
}

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
