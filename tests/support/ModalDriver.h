// Drives dialogs and message boxes of the test's own thread while a modal loop runs: each
// time a new visible dialog window appears, the next queued step is called with it. A
// thread timer does the looking, so every modal loop (dialogs and message boxes) runs it.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>

namespace test_support {

class ModalDriver {
public:
    using Step = std::function<void(HWND window)>;

    ModalDriver();
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Queues a step for the next dialog window (#32770) that appears on this thread.
    void Then(Step step) { m_steps.push_back(std::move(step)); }
    bool Done() const { return m_steps.empty(); }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Look();

    UINT_PTR m_timer = 0;
    std::deque<Step> m_steps;
    std::set<HWND> m_seen;
};

// What a message box of this process shows.
struct ShownBox {
    std::string caption;
    std::string text;
    std::string icon;  // "error", "information", "exclamation", "question" or "none"
};
ShownBox ReadOwnMessageBox(HWND box);

}  // namespace test_support
