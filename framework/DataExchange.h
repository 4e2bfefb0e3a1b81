// Dialog data exchange: DoDataExchange lists DDX_ calls, and UpdateData runs them in one
// direction (controls to members when saving, members to controls when loading).
#pragma once

#include <windows.h>

#include "framework/CString.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;  // not owned

    HWND ControlWindow(int id) const;
};

// The whole text of control `id` and `value`, unchanged in both directions.
void DDX_Text(CDataExchange* pDX, int id, CString& value);

// Attaches `control` to the dialog's control `id` at the first exchange; the dialog detaches it
// again when its window is destroyed.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
