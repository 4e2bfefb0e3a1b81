// CDialog: a modal dialog on a numbered template. One static dialog procedure serves every
// dialog: `this` arrives with WM_INITDIALOG and is kept in the window's DWLP_USER slot.
#pragma once

#include <vector>

#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog modally and returns the value it was ended with. With no parent, the
    // owner is the program's most recently active pop-up window (none for the main dialog).
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;  // not owned

    // Registers a control attached by DDX_Control, so it is detached with the dialog's window.
    void AdoptControl(CWnd& control);

protected:
    // Performs the first data exchange (members to controls); TRUE lets the dialog manager set
    // the focus to the first tab stop.
    virtual BOOL OnInitDialog();
    // Copies the controls into the members, then ends the dialog with IDOK.
    virtual void OnOK();
    virtual void OnCancel();

    // The default handling of these messages, for handlers that pass them on.
    void OnPaint() { Default(); }
    void OnSysCommand(UINT, LPARAM) { Default(); }

    void OnWindowGone() override;

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleInitDialog();

    std::vector<CWnd*> m_adoptedControls;  // not owned: members of the derived dialog
};
