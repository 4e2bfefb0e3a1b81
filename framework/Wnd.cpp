#include "framework/Wnd.h"

#include <vector>

#include "framework/DataExchange.h"
#include "framework/Menu.h"
#include "framework/MessageBoxes.h"

CWnd::CWnd() = default;
CWnd::~CWnd() = default;

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    return hWnd;
}

CWnd* CWnd::GetDlgItem(int id) const {
    HWND child = ::GetDlgItem(m_hWnd, id);
    if (child == nullptr) {
        return nullptr;
    }
    std::unique_ptr<CWnd>& slot = m_temporaryChildren[child];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->Attach(child);
    }
    return slot.get();
}

void CWnd::SetWindowText(const char* text) {
    ::SetWindowTextA(m_hWnd, text);
}

namespace {

CString TextOf(HWND hWnd) {
    int length = ::GetWindowTextLengthA(hWnd);
    std::vector<char> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
    int copied = ::GetWindowTextA(hWnd, buffer.data(), static_cast<int>(buffer.size()));
    return CString(std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0)));
}

}  // namespace

void CWnd::GetWindowText(CString& text) const {
    text = TextOf(m_hWnd);
}

void CWnd::SetDlgItemText(int id, const char* text) {
    ::SetDlgItemTextA(m_hWnd, id, text);
}

void CWnd::GetDlgItemText(int id, CString& text) const {
    text = TextOf(::GetDlgItem(m_hWnd, id));
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    return fw::ShowMessageBox(m_hWnd, text, caption, type);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) {
    HMENU menu = ::GetSystemMenu(m_hWnd, bRevert);
    if (menu == nullptr) {
        return nullptr;
    }
    if (!m_systemMenu || m_systemMenu->m_hMenu != menu) {
        m_systemMenu = std::make_unique<CMenu>(menu);
    }
    return m_systemMenu.get();
}

void CWnd::CenterWindow() {
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    bool overOwner = owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner);

    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(overOwner ? owner : m_hWnd, MONITOR_DEFAULTTOPRIMARY),
                      &monitor);
    const RECT& work = monitor.rcWork;

    RECT area = work;
    if (overOwner) {
        ::GetWindowRect(owner, &area);
    }
    RECT self;
    ::GetWindowRect(m_hWnd, &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;

    int left = (area.left + area.right) / 2 - width / 2;
    int top = (area.top + area.bottom) / 2 - height / 2;
    // Keep the window on the work area; its top-left corner wins when it is larger.
    if (left + width > work.right)
        left = work.right - width;
    if (left < work.left)
        left = work.left;
    if (top + height > work.bottom)
        top = work.bottom - height;
    if (top < work.top)
        top = work.top;
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CWnd::HandleThroughMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // Handlers can run nested modal loops that dispatch to this window again; each message
    // keeps its own request for the default handling.
    const bool outerRequest = m_defaultRequested;
    m_defaultRequested = false;
    const bool handled = DispatchToMap(message, wParam, lParam, result) && !m_defaultRequested;
    m_defaultRequested = outerRequest;
    return handled;
}

void CWnd::OnWindowGone() {
    m_temporaryChildren.clear();
    m_systemMenu.reset();
    m_hWnd = nullptr;
}
