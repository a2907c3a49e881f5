#include "ModalDriver.h"

#include <commctrl.h>

#include "resources/Resource.h"

#include <gtest/gtest.h>

namespace {
thread_local ModalDriver* t_driver = nullptr;

// First as a user would close them; windows that do not go are destroyed.
BOOL CALLBACK CloseOne(HWND window, LPARAM force) {
    if (force)
        DestroyWindow(window);
    else
        PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}
}  // namespace

ModalDriver::ModalDriver(std::vector<Step> steps, DWORD timeoutMs)
    : m_steps(std::move(steps)),
      m_deadline(GetTickCount() + timeoutMs),
      m_timer(SetTimer(nullptr, 0, 10, Tick)),
      m_previous(t_driver) {
    t_driver = this;
}

ModalDriver::~ModalDriver() {
    KillTimer(nullptr, m_timer);
    t_driver = m_previous;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (t_driver) t_driver->RunDue();
}

void ModalDriver::RunDue() {
    // A step that opens a message box pumps timers from inside; the next
    // step must wait until it has returned.
    if (m_running) return;
    const LONG late = LONG(GetTickCount() - m_deadline);
    if (late > 0) {
        if (!m_timedOut) ADD_FAILURE() << "modal steps timed out at step " << m_next;
        m_timedOut = true;
        EnumThreadWindows(GetCurrentThreadId(), CloseOne, late > 3000);
        return;
    }
    if (m_next >= m_steps.size()) return;
    m_running = true;
    const bool done = m_steps[m_next]();
    m_running = false;
    if (done) ++m_next;
}

namespace {
struct WithControl {
    int id;
    HWND found;
};

BOOL CALLBACK CheckOne(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WithControl*>(param);
    if (IsWindowVisible(window) && GetDlgItem(window, search->id)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CheckDescendant(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WithControl*>(param);
    if (GetDlgCtrlID(window) == search->id) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindTopLevelWithControl(int controlId) {
    WithControl search{controlId, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), CheckOne, LPARAM(&search));
    return search.found;
}

HWND FindDescendant(HWND parent, int controlId) {
    WithControl search{controlId, nullptr};
    EnumChildWindows(parent, CheckDescendant, LPARAM(&search));
    return search.found;
}

void DoubleClickAt(HWND window, POINT client) {
    POINT screen = client;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM where = MAKELPARAM(client.x, client.y);
    // A control may wait in its own loop for the release after a press (a
    // tree watching for a drag): the release is queued before the press.
    PostMessageW(window, WM_LBUTTONUP, 0, where);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(window, WM_LBUTTONUP, 0, where);
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
}

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

void ShowEditorCard(HWND editor, int card) {
    HWND tree = GetDlgItem(editor, IDC_DICT_TREE);
    auto item = HTREEITEM(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    item = HTREEITEM(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, LPARAM(item)));
    for (int i = 0; i < card && item; ++i) item = HTREEITEM(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, LPARAM(item)));
    RECT rect = {};
    *reinterpret_cast<HTREEITEM*>(&rect) = item;
    SendMessageW(tree, TVM_GETITEMRECT, TRUE, LPARAM(&rect));
    DoubleClickAt(tree, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}
