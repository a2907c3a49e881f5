#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

// A progress bar.
class QOR_API CProgressCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(PROGRESS_CLASSW, nullptr, style, rect, parent, id);
    }
    void SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, WPARAM(lower), LPARAM(upper)); }
    void GetRange(int& lower, int& upper) const {
        PBRANGE range = {};
        SendMessage(PBM_GETRANGE, FALSE, LPARAM(&range));
        lower = range.iLow;
        upper = range.iHigh;
    }
    int SetPos(int position) { return int(SendMessage(PBM_SETPOS, WPARAM(position))); }
    int GetPos() const { return int(SendMessage(PBM_GETPOS)); }
    int SetStep(int step) { return int(SendMessage(PBM_SETSTEP, WPARAM(step))); }
    int StepIt() { return int(SendMessage(PBM_STEPIT)); }
};
