#pragma once

#include <windows.h>

#include <vector>

// Disables controls while a long action runs and gives them back as they
// were: a control that was already disabled stays so.
class BusyControls {
public:
    explicit BusyControls(const std::vector<HWND>& controls) {
        for (HWND control : controls)
            if (IsWindowEnabled(control)) {
                EnableWindow(control, FALSE);
                m_disabled.push_back(control);
            }
    }
    ~BusyControls() {
        for (HWND control : m_disabled)
            if (IsWindow(control)) EnableWindow(control, TRUE);
    }
    BusyControls(const BusyControls&) = delete;
    BusyControls& operator=(const BusyControls&) = delete;

private:
    std::vector<HWND> m_disabled;
};
