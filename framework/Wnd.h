// CWnd: a window handle with the operations the dialogs use. A CWnd never destroys a window it
// wraps. GetDlgItem and GetSystemMenu hand out temporary objects that belong to this CWnd and
// stay valid until its window is destroyed; callers never delete them.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "framework/CmdTarget.h"
#include "framework/CString.h"

class CDataExchange;
class CMenu;

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }

    void Attach(HWND hWnd) { m_hWnd = hWnd; }
    HWND Detach();

    CWnd* GetDlgItem(int id) const;
    void SetWindowText(const char* text);
    void GetWindowText(CString& text) const;
    void SetDlgItemText(int id, const char* text);
    void GetDlgItemText(int id, CString& text) const;

    // A modal message box owned by this window; a null caption means the program's name.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Runs the data exchange: TRUE copies the controls into the members, FALSE the other way.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    CMenu* GetSystemMenu(BOOL bRevert);
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }

    // Centres the window over its owner when the owner is visible and not minimised, else in
    // the work area of the window's monitor, and keeps it inside that work area.
    void CenterWindow();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);

    // Called from a handler: let the platform's default handling process the current message
    // as well, as if no handler had taken it.
    void Default() { m_defaultRequested = true; }

    // Dispatches one message through the message map. False when nothing handled it or the
    // handler asked for the default handling.
    bool HandleThroughMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Forgets everything tied to the window once it is gone: temporaries and the handle.
    virtual void OnWindowGone();

private:
    mutable std::map<HWND, std::unique_ptr<CWnd>> m_temporaryChildren;
    std::unique_ptr<CMenu> m_systemMenu;
    bool m_defaultRequested = false;
};
