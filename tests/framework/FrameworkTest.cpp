// The dialog framework on a real dialog: dispatch, data exchange, OK and Cancel, owners and
// centring of dialogs built without parent, strings and the program's name.
#include <gtest/gtest.h>

#include "RecordingDlg.h"
#include "framework/WinApp.h"

namespace {

using Calls = std::vector<std::string>;

LRESULT Notify(HWND dialog, UINT_PTR id, UINT code) {
    NMHDR header = {GetDlgItem(dialog, static_cast<int>(id)), id, code};
    return SendMessageA(dialog, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
}

void SendCommand(HWND dialog, int id, WORD code) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

TEST(MessageMap, DispatchesEachEntryKindToItsHandler) {
    RecordingDlg dlg;
    LRESULT notifyResult = 0, sum = 0, otherCode = -1;
    dlg.onShown = [&](RecordingDlg& d) {
        SendCommand(d.m_hWnd, IDC_TEST_BUTTON, BN_CLICKED);
        SendCommand(d.m_hWnd, IDC_TEST_OTHER_BUTTON, BN_CLICKED);
        SetDlgItemTextA(d.m_hWnd, IDC_TEST_EDIT, "typed");  // a real EN_CHANGE
        notifyResult = Notify(d.m_hWnd, IDC_TEST_NOTIFIER, NM_CLICK);
        otherCode = Notify(d.m_hWnd, IDC_TEST_NOTIFIER, NM_DBLCLK);  // not in the map
        SendCommand(d.m_hWnd, IDC_TEST_BUTTON, BN_DOUBLECLICKED);    // not in the map
        sum = SendMessageA(d.m_hWnd, WM_TEST_SUM, 40, 2);
        d.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    // The first data exchange sets the edit's text, which notifies a change before "init".
    EXPECT_EQ(dlg.calls, (Calls{"change", "init", "button", "other", "change", "notify 303"}));
    EXPECT_EQ(notifyResult, 42);
    EXPECT_EQ(otherCode, 0);
    EXPECT_EQ(sum, 42);
}

TEST(MessageMap, DerivedEntryWinsAndBaseEntriesAreStillReached) {
    DerivedDlg dlg;
    dlg.onShown = [](RecordingDlg& d) {
        SendCommand(d.m_hWnd, IDC_TEST_BUTTON, BN_CLICKED);
        SendCommand(d.m_hWnd, IDC_TEST_OTHER_BUTTON, BN_CLICKED);
        SendCommand(d.m_hWnd, IDCANCEL, BN_CLICKED);  // CDialog's own map, through the virtual
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.calls, (Calls{"change", "init", "derived button", "other", "OnCancel"}));
}

TEST(MessageMap, DefaultHandlingRunsAfterAHandlerThatAsksForIt) {
    RecordingDlg dlg;
    dlg.onShown = [](RecordingDlg& d) { SendMessageA(d.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); };
    // The default handling of Close sends IDCANCEL, which ends the dialog through OnCancel.
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.calls, (Calls{"change", "init", "sys " + std::to_string(SC_CLOSE), "OnCancel"}));
}

TEST(DataExchange, LoadsAtInitAndSavesOnRequest) {
    RecordingDlg dlg;
    dlg.m_text = "initial";
    std::string shownAtInit, shownAfterLoad;
    HWND attached = nullptr, buttonWindow = nullptr;
    dlg.onShown = [&](RecordingDlg& d) {
        CString atInit;
        d.GetDlgItemText(IDC_TEST_EDIT, atInit);
        shownAtInit = atInit.str();
        attached = d.m_button.m_hWnd;
        buttonWindow = GetDlgItem(d.m_hWnd, IDC_TEST_BUTTON);

        SetDlgItemTextA(d.m_hWnd, IDC_TEST_EDIT, "from the user");
        d.UpdateData(TRUE);
        EXPECT_EQ(d.m_text, "from the user");

        d.m_text = "from the program";
        d.UpdateData(FALSE);
        char buffer[64] = {};
        GetDlgItemTextA(d.m_hWnd, IDC_TEST_EDIT, buffer, sizeof buffer);
        shownAfterLoad = buffer;
        d.EndDialog(IDCANCEL);
    };
    dlg.DoModal();
    EXPECT_EQ(shownAtInit, "initial");
    EXPECT_EQ(shownAfterLoad, "from the program");
    EXPECT_NE(buttonWindow, nullptr);
    EXPECT_EQ(attached, buttonWindow);
    EXPECT_EQ(dlg.m_button.m_hWnd, nullptr) << "controls are detached with the dialog's window";
}

struct EndCase {
    const char* name;
    int command;
    INT_PTR expectedResult;
    const char* expectedText;  // m_text after the dialog ended
    const char* handler;
};

class EndingTest : public ::testing::TestWithParam<EndCase> {};

TEST_P(EndingTest, OkSavesTheControlsAndCancelDoesNot) {
    const EndCase& c = GetParam();
    RecordingDlg dlg;
    dlg.m_text = "before";
    dlg.onShown = [&](RecordingDlg& d) {
        SetDlgItemTextA(d.m_hWnd, IDC_TEST_EDIT, "typed");
        PostMessageA(d.m_hWnd, WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
    };
    EXPECT_EQ(dlg.DoModal(), c.expectedResult);
    EXPECT_EQ(dlg.m_text, c.expectedText);
    EXPECT_EQ(dlg.calls.back(), c.handler);
}

const EndCase kEndCases[] = {
    {"Ok", IDOK, IDOK, "typed", "OnOK"},
    {"Cancel", IDCANCEL, IDCANCEL, "before", "OnCancel"},
};
INSTANTIATE_TEST_SUITE_P(Table, EndingTest, ::testing::ValuesIn(kEndCases),
                         [](const auto& row) { return std::string(row.param.name); });

POINT CentreOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(Dialog, WithoutParentIsOwnedByTheActivePopupAndCentredOverIt) {
    CWinApp app;
    RecordingDlg outer;
    app.m_pMainWnd = &outer;
    HWND innerOwner = nullptr, outerWindow = nullptr;
    BOOL outerEnabledWhileInner = TRUE;
    POINT outerCentre = {}, innerCentre = {};
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    POINT outerCentreOnScreen = {};

    outer.onShown = [&](RecordingDlg& o) {
        // Move the main dialog off-centre so that "centred over the owner" is not the same
        // as "centred on the screen".
        outerWindow = o.m_hWnd;
        SetWindowPos(o.m_hWnd, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        RecordingDlg inner;
        inner.onShown = [&](RecordingDlg& i) {
            innerOwner = GetWindow(i.m_hWnd, GW_OWNER);
            outerEnabledWhileInner = IsWindowEnabled(o.m_hWnd);
            innerCentre = CentreOf(i.m_hWnd);
            outerCentre = CentreOf(o.m_hWnd);
            i.EndDialog(IDOK);
        };
        inner.DoModal();
        o.EndDialog(IDCANCEL);
    };
    RecordingDlg probe;  // a main dialog alone: centred in the work area
    probe.onShown = [&](RecordingDlg& p) {
        outerCentreOnScreen = CentreOf(p.m_hWnd);
        p.EndDialog(IDCANCEL);
    };
    app.m_pMainWnd = &probe;
    probe.DoModal();
    app.m_pMainWnd = &outer;
    outer.DoModal();

    EXPECT_NE(outerWindow, nullptr);
    EXPECT_EQ(innerOwner, outerWindow);
    EXPECT_FALSE(outerEnabledWhileInner);
    EXPECT_NEAR(innerCentre.x, outerCentre.x, 1);
    EXPECT_NEAR(innerCentre.y, outerCentre.y, 1);
    EXPECT_NEAR(outerCentreOnScreen.x, (work.left + work.right) / 2, 1);
    EXPECT_NEAR(outerCentreOnScreen.y, (work.top + work.bottom) / 2, 1);
    app.m_pMainWnd = nullptr;
}

TEST(Wnd, GetDlgItemHandsOutOneTemporaryPerControl) {
    RecordingDlg dlg;
    dlg.onShown = [](RecordingDlg& d) {
        CWnd* first = d.GetDlgItem(IDC_TEST_EDIT);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first, d.GetDlgItem(IDC_TEST_EDIT));
        EXPECT_EQ(first->m_hWnd, GetDlgItem(d.m_hWnd, IDC_TEST_EDIT));
        EXPECT_EQ(d.GetDlgItem(999), nullptr);
        d.EndDialog(IDCANCEL);
    };
    dlg.DoModal();
}

TEST(CString, LoadsStringsAndJoins) {
    CString text;
    EXPECT_TRUE(text.LoadString(IDS_TEST_PRESENT));
    EXPECT_EQ(text, "Present & accounted");
    EXPECT_FALSE(text.LoadString(IDS_TEST_MISSING));
    EXPECT_TRUE(text.IsEmpty());
    CString joined = CString("a") + "b" + CString(nullptr) + "c";
    EXPECT_EQ(joined, "abc");
    EXPECT_EQ(joined.GetLength(), 3);
}

TEST(WinApp, DisplayNameIsTheProgramFileWithoutExtension) {
    EXPECT_STREQ(AfxGetAppName(), "framework_tests");
    CWinApp named("Named");
    EXPECT_STREQ(AfxGetAppName(), "Named");
}

}  // namespace
