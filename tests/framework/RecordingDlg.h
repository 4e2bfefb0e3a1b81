// A dialog on the tests' template that records what its handlers receive, and runs a test's
// steps from inside its own modal loop.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "TestDialogIds.h"

constexpr UINT_PTR kRunTimer = 77;
constexpr UINT WM_TEST_SUM = WM_APP + 2;

class RecordingDlg : public CDialog {
public:
    explicit RecordingDlg(CWnd* parent = nullptr) : CDialog(IDD_TEST_DIALOG, parent) {}

    std::function<void(RecordingDlg&)> onShown;  // runs once, inside the modal loop
    std::vector<std::string> calls;
    CString m_text;
    CWnd m_button;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_TEST_BUTTON, m_button);
        DDX_Text(pDX, IDC_TEST_EDIT, m_text);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        calls.push_back("init");
        // A timer fires only once the queue is empty, that is after the dialog manager has
        // shown the dialog, so the test's steps see it as a user would.
        ::SetTimer(m_hWnd, kRunTimer, 1, nullptr);
        return TRUE;
    }
    void OnOK() override {
        calls.push_back("OnOK");
        CDialog::OnOK();
    }
    void OnCancel() override {
        calls.push_back("OnCancel");
        CDialog::OnCancel();
    }
    LRESULT OnRun(WPARAM timerId, LPARAM) {
        if (timerId != kRunTimer) {
            return 0;
        }
        ::KillTimer(m_hWnd, kRunTimer);
        if (onShown) {
            auto steps = std::move(onShown);
            steps(*this);
        }
        return 0;
    }
    void OnButton() { calls.push_back("button"); }
    void OnOtherButton() { calls.push_back("other"); }
    void OnEditChange() { calls.push_back("change"); }
    void OnNotifierClick(NMHDR* header, LRESULT* result) {
        calls.push_back("notify " + std::to_string(header->idFrom));
        *result = 42;
    }
    LRESULT OnSum(WPARAM a, LPARAM b) { return static_cast<LRESULT>(a) + b; }
    void OnSysCommand(UINT id, LPARAM lParam) {
        calls.push_back("sys " + std::to_string(id));
        CDialog::OnSysCommand(id, lParam);
    }

    DECLARE_MESSAGE_MAP()
};

// Maps the first button again: its own entry must win over the base's.
class DerivedDlg : public RecordingDlg {
protected:
    void OnDerivedButton() { calls.push_back("derived button"); }

    DECLARE_MESSAGE_MAP()
};
