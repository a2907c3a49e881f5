#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "base/CString.h"
#include "host/QorHelper.h"

// Takes the help service's requests while it lives and records each key;
// every key must have a topic.
struct HelpRecorder {
    std::vector<CString> keys;
    HelpRecorder() { CQorHelper::Instance().SetTopicViewer(Record, this); }
    ~HelpRecorder() { CQorHelper::Instance().SetTopicViewer(nullptr, nullptr); }
    HelpRecorder(const HelpRecorder&) = delete;
    HelpRecorder& operator=(const HelpRecorder&) = delete;

    static void Record(const CString& key, DWORD topic, const CString&, void* self) {
        EXPECT_NE(topic, 0u) << key.ToUtf8();
        static_cast<HelpRecorder*>(self)->keys.push_back(key);
    }
};

// What F1 on a control sends: the control passes it up to its parents.
inline void PressHelpOn(HWND control) {
    HELPINFO info = {sizeof info, HELPINFO_WINDOW, GetDlgCtrlID(control), control, 0, {}};
    SendMessageW(control, WM_HELP, 0, LPARAM(&info));
}
