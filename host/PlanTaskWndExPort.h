#pragma once

#include "framework/ProgressCtrl.h"
#include "framework/Wnd.h"

// What a progress window starts with: its text, then the range and step of
// its bar.
struct CPlanTaskPara {
    CString text;
    int low = 0;
    int high = 100;
    int step = 1;
};

// The host's progress window for long work on the user-interface thread: a
// small top-level window with a text, a progress bar, the current item and a
// stop button. The work calls StepIt per item and asks IsBreaked; it keeps
// the window alive by pumping messages between items.
class QOR_API CPlanTaskWndExPort : public CWnd {
public:
    CPlanTaskWndExPort() noexcept = default;
    ~CPlanTaskWndExPort() override;

    // Creates the window, hidden, owned by parent's top-level window (none
    // for null).
    BOOL Init(CWnd* parent = nullptr);
    void SetPara(const CPlanTaskPara& para);
    void ShowWindow(BOOL show, int unused = 0);
    void SetMessage1(const CString& text);
    void SetRange32(int low, int high);
    void StepIt();
    // Non-zero once the user has asked to stop (button, Escape or closing the
    // window).
    int IsBreaked() const { return m_breaked ? 1 : 0; }
    // The stop button's label (the caller translates it).
    void SetStopText(const CString& text);

    enum { kStopButtonId = 2, kTextId = 100, kProgressId = 101, kCountId = 102 };

protected:
    int OnCreate(CREATESTRUCTW* create) override;
    void OnClose() override { m_breaked = true; }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* message) override;

private:
    void ShowCount();

    CWnd m_text;
    CProgressCtrl m_progress;
    CWnd m_count;
    CWnd m_stop;
    UniqueFont m_font;
    int m_position = 0;
    int m_high = 100;
    bool m_breaked = false;
};
