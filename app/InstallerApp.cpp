#include "app/InstallerApp.h"

#include "app/InstallerDlg.h"

BEGIN_MESSAGE_MAP(CInstallerApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

// The one application object; the framework's entry point finds it.
CInstallerApp theApp;

BOOL CInstallerApp::InitInstance() {
    Enable3dControlsStatic();

    CInstallerDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;

    // The dialog has closed: end the program instead of running a message loop.
    return FALSE;
}
