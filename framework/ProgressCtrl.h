// CProgressCtrl: a progress bar (msctls_progress32) attached to a dialog's control.
#pragma once

#include <commctrl.h>

#include "framework/Wnd.h"

class CProgressCtrl : public CWnd {
public:
    void SetRange(short lower, short upper) {
        SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
    }
    int SetPos(int pos) { return static_cast<int>(SendMessage(PBM_SETPOS, pos, 0)); }
    int SetStep(int step) { return static_cast<int>(SendMessage(PBM_SETSTEP, step, 0)); }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT, 0, 0)); }
};
