// The main window: release picture, information text, and the buttons that open the Install
// dialog, open the release notes and quit.
#pragma once

#include "framework/Dialog.h"

class CDC;

class CInstallerDlg : public CDialog {
public:
    explicit CInstallerDlg(CWnd* pParent = nullptr);

protected:
    HICON m_hIcon;  // the platform's shared application icon, never released

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnReadNfo();
    void OnOpenInstallDialog();

    DECLARE_MESSAGE_MAP()

private:
    void AppendAboutEntry();
    void DrawMinimisedIcon(CDC& dc);
};
