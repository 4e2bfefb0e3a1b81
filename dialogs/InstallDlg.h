// The Install dialog: the destination folder, status lines and progress bar, and the button
// that runs the extraction. It hosts the archive binding and the extraction run.
#pragma once

#include "extract/ExtractionHost.h"
#include "framework/Dialog.h"
#include "framework/ProgressCtrl.h"

class CInstallDlg : public CDialog, private ExtractionHost {
public:
    explicit CInstallDlg(CWnd* pParent = nullptr);
    ~CInstallDlg() override;

    CProgressCtrl m_progress;
    CString m_strFolder;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSetFolder();
    void OnInstall();

    DECLARE_MESSAGE_MAP()

private:
    // ExtractionHost: what the binding and the run use of this dialog.
    void ShowMessage(const std::string& text, const char* caption, UINT type) override;
    void EndWithOk() override;
    std::string TakeFolderFromField() override;
    std::string Folder() const override;
    void SetItemText(int controlId, const std::string& text) override;
    LRESULT SendProgress(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OpenProgram(const std::string& file, const std::string& workingDirectory) override;
};
