#include "tests/support/ModalDriver.h"

#include <vector>

namespace test_support {

namespace {

ModalDriver* g_driver = nullptr;  // not owned: the one driver of the running test

BOOL CALLBACK CollectThreadDialogs(HWND window, LPARAM context) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (IsWindowVisible(window) && std::string(name) == "#32770") {
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    }
    return TRUE;
}

HWND FindIconStatic(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = {};
        GetClassNameA(child, name, sizeof name);
        if (std::string(name) == "Static" &&
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace

ModalDriver::ModalDriver() {
    g_driver = this;
    m_timer = SetTimer(nullptr, 0, 10, &ModalDriver::OnTimer);
}

ModalDriver::~ModalDriver() {
    KillTimer(nullptr, m_timer);
    g_driver = nullptr;
}

void CALLBACK ModalDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_driver != nullptr) {
        g_driver->Look();
    }
}

void ModalDriver::Look() {
    for (auto it = m_seen.begin(); it != m_seen.end();) {
        it = IsWindow(*it) && IsWindowVisible(*it) ? std::next(it) : m_seen.erase(it);
    }
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &CollectThreadDialogs,
                      reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        if (m_steps.empty()) {
            return;
        }
        if (m_seen.insert(window).second) {
            Step step = std::move(m_steps.front());
            m_steps.pop_front();
            step(window);
            return;
        }
    }
}

ShownBox ReadOwnMessageBox(HWND box) {
    ShownBox shown;
    char text[2048] = {};
    GetWindowTextA(box, text, sizeof text);
    shown.caption = text;
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    shown.text = text;
    shown.icon = "none";
    if (HWND iconStatic = FindIconStatic(box)) {
        auto icon = reinterpret_cast<HICON>(SendMessageA(iconStatic, STM_GETICON, 0, 0));
        const struct {
            LPCSTR id;
            const char* name;
        } icons[] = {{IDI_ERROR, "error"},
                     {IDI_INFORMATION, "information"},
                     {IDI_EXCLAMATION, "exclamation"},
                     {IDI_QUESTION, "question"}};
        for (const auto& candidate : icons) {
            if (icon == LoadIconA(nullptr, candidate.id)) {
                shown.icon = candidate.name;
            }
        }
    }
    return shown;
}

}  // namespace test_support
