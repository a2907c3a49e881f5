#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// Plays test steps inside whatever modal loop runs on this thread, as a user
// at the keyboard would: a thread timer runs the next step once the previous
// one said it was done. A step returns false to be asked again later (to
// wait for a window or a state), never sleeping. After the time-out the
// driver reports a failure and closes this thread's windows so that the
// modal call under test returns.
class ModalDriver {
public:
    using Step = std::function<bool()>;

    explicit ModalDriver(std::vector<Step> steps, DWORD timeoutMs = 15000);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    bool AllStepsRan() const { return m_next == m_steps.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void RunDue();

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    DWORD m_deadline;
    bool m_running = false;
    bool m_timedOut = false;
    UINT_PTR m_timer;
    ModalDriver* m_previous;
};

// A visible top-level window of this thread that has a child with this
// control ID (the editor: its tree), or null.
HWND FindTopLevelWithControl(int controlId);
// The window of a descendant control of parent, searched through nested
// dialogs and pages; null when there is none.
HWND FindDescendant(HWND parent, int controlId);
// A double-click on a point of a window's client area, with the cursor put
// there first, as the hardware would.
void DoubleClickAt(HWND window, POINT client);
void Click(HWND button);
// Double-clicks the editor tree's item of a card, as a user switches pages:
// 0 the settings, 1 the system words, 2 the project words.
void ShowEditorCard(HWND editor, int card);
