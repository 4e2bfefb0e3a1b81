#include "framework/DataExchange.h"

#include "framework/Dialog.h"

HWND CDataExchange::ControlWindow(int id) const {
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    if (pDX->m_bSaveAndValidate) {
        pDX->m_pDlgWnd->GetDlgItemText(id, value);
    } else {
        pDX->m_pDlgWnd->SetDlgItemText(id, value);
    }
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (control.m_hWnd != nullptr) {
        return;
    }
    control.Attach(pDX->ControlWindow(id));
    if (auto* dialog = dynamic_cast<CDialog*>(pDX->m_pDlgWnd)) {
        dialog->AdoptControl(control);
    }
}
