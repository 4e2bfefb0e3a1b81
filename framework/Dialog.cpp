#include "framework/Dialog.h"

#include <commctrl.h>

#include "framework/MessageBoxes.h"
#include "framework/WinApp.h"

namespace {

// The common controls (progress bar, tree view) must be registered before a template that
// uses them is created.
void RegisterCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
}

// Messages whose result a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
        case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}

// The owner of a dialog built without parent: the last active pop-up of the main window's
// top-level window, so an inner dialog sits above the dialog that opened it.
HWND DefaultOwner() {
    CWnd* mainWnd = AfxGetMainWnd();
    HWND top = mainWnd ? mainWnd->m_hWnd : nullptr;
    if (top == nullptr || !::IsWindow(top)) {
        return nullptr;
    }
    while (::GetWindowLongA(top, GWL_STYLE) & WS_CHILD) {
        top = ::GetParent(top);
    }
    return ::GetLastActivePopup(top);
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    RegisterCommonControls();
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : DefaultOwner();
    return ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                             &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int nResult) {
    ::EndDialog(m_hWnd, nResult);
}

void CDialog::AdoptControl(CWnd& control) {
    m_adoptedControls.push_back(&control);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::OnWindowGone() {
    for (CWnd* control : m_adoptedControls) {
        control->Detach();
    }
    m_adoptedControls.clear();
    CWnd::OnWindowGone();
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = hWnd;
    }
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    if (dialog == nullptr) {
        return FALSE;
    }
    // No C++ exception may unwind through the system's frames above this procedure.
    try {
        return dialog->HandleMessage(message, wParam, lParam);
    } catch (...) {
        fw::ShowMessageBox(hWnd, "Not enough memory to complete the operation.", nullptr,
                           MB_OK | MB_ICONERROR);
        return FALSE;
    }
}

INT_PTR CDialog::HandleInitDialog() {
    RECT before;
    GetWindowRect(&before);
    BOOL result = OnInitDialog();
    // Templates carry no position: centre the dialog unless its initialisation placed it
    // itself or the template asks the dialog manager to centre it.
    RECT after;
    GetWindowRect(&after);
    const bool moved = before.left != after.left || before.top != after.top;
    if (m_hWnd != nullptr && !moved && !(::GetWindowLongA(m_hWnd, GWL_STYLE) & DS_CENTER)) {
        CenterWindow();
    }
    return result;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return HandleInitDialog();
    }
    if (message == WM_NCDESTROY) {
        HWND hWnd = m_hWnd;
        OnWindowGone();
        ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
        return FALSE;
    }
    LRESULT result = 0;
    bool handled = HandleThroughMap(message, wParam, lParam, &result);
    if (!handled && message == WM_COMMAND && AfxGetApp() != nullptr) {
        handled = AfxGetApp()->DispatchToMap(message, wParam, lParam, &result);
    }
    if (!handled) {
        return FALSE;
    }
    if (ReturnsResultDirectly(message)) {
        return static_cast<INT_PTR>(result);
    }
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}
