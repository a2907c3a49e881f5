#pragma once

#include <windows.h>

#include <vector>

#include "base/CString.h"

// Answers every message box this thread opens while it lives, as a user
// would, and records what each one said: text, caption and the style it
// was shown with (buttons and icon, read back from the box's controls).
class MessageBoxAnswerer {
public:
    struct Box {
        CString text;
        CString caption;
        UINT style;
    };

    explicit MessageBoxAnswerer(int answer = IDOK);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    int answer;
    std::vector<Box> boxes;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Answer(HWND box);

    HHOOK m_hook;
    MessageBoxAnswerer* m_previous;
};
