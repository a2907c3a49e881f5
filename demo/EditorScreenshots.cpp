#include "EditorScreenshots.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "MainWindow.h"
#include "Screenshot.h"

namespace {

// The editor's controls, by the IDs its templates give them.
const int kTreeId = 24057;
const int kLanguageListId = 24072;  // settings page only
const int kGridAreaId = 24085;      // both word pages
const DWORD kStepTimeout = 10000;   // milliseconds
const UINT kTickInterval = 50;

enum class Step { FindEditor, Settings, SystemWords, ProjectWords, Closing, Done };

bool IsEditor(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return CString(className) == L"#32770" && IsWindowVisible(window) && GetDlgItem(window, kTreeId);
}

BOOL CALLBACK FindEditorWindow(HWND window, LPARAM found) {
    if (!IsEditor(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The last resort when the editor was never recognised: whatever dialog is
// open and usable is asked to close, so that the modal loop ends.
BOOL CALLBACK CloseDialogWindow(HWND window, LPARAM) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (CString(className) == L"#32770" && IsWindowVisible(window) && IsWindowEnabled(window))
        PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindVisibleControl(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<ControlSearch*>(search);
    if (GetDlgCtrlID(window) != s->id || !IsWindowVisible(window)) return TRUE;
    s->found = window;
    return FALSE;
}

// A shown descendant with this ID (pages nest inside the stacked container),
// or null.
HWND VisibleControl(HWND dialog, int id) {
    ControlSearch search = {id, nullptr};
    EnumChildWindows(dialog, FindVisibleControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The dialog picks the page from the cursor position, so the cursor goes to
// the item before the tree is told of the double-click.
bool DoubleClickTreeChild(HWND dialog, int index) {
    HWND tree = GetDlgItem(dialog, kTreeId);
    auto item = HTREEITEM(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    item = item ? HTREEITEM(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, LPARAM(item))) : nullptr;
    for (int i = 0; item && i < index; ++i) item = HTREEITEM(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, LPARAM(item)));
    if (!item) return false;
    // TVM_GETITEMRECT takes the item in the rectangle it fills.
    RECT rect = {};
    std::memcpy(&rect, &item, sizeof item);
    if (!SendMessageW(tree, TVM_GETITEMRECT, TRUE, LPARAM(&rect))) return false;
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    POINT onScreen = centre;
    if (!ClientToScreen(tree, &onScreen) || !SetCursorPos(onScreen.x, onScreen.y)) return false;
    SendMessageW(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    return true;
}

// One editor session, advanced by a thread timer that the editor's modal loop
// dispatches. Each step waits for its condition until it times out; a timer
// message comes only when nothing is left to paint, so whatever a tick sees
// has been drawn.
class CEditorSession {
public:
    CEditorSession(const CString& folder, const CString& locale) : m_folder(folder), m_locale(locale) { Next(Step::FindEditor); }

    void Tick() {
        if (m_step == Step::Done) return;
        if (GetTickCount() - m_stepStart > kStepTimeout) {
            TimedOut();
            return;
        }
        if (HIWORD(GetQueueStatus(QS_PAINT))) return;
        switch (m_step) {
        case Step::FindEditor:
            EnumThreadWindows(GetCurrentThreadId(), FindEditorWindow, reinterpret_cast<LPARAM>(&m_dialog));
            if (m_dialog) Next(Step::Settings);
            break;
        case Step::Settings:
            if (HWND list = VisibleControl(m_dialog, kLanguageListId)) {
                m_page = GetParent(list);
                if (Capture(L"settings")) Click(1, Step::SystemWords);
            }
            break;
        case Step::SystemWords:
        case Step::ProjectWords:
            if (HWND grid = VisibleControl(m_dialog, kGridAreaId)) {
                if (GetParent(grid) == m_page) break;  // the page before has not gone yet
                m_page = GetParent(grid);
                if (m_step == Step::ProjectWords) {
                    if (Capture(L"project")) Close();
                } else if (Capture(L"system")) {
                    Click(2, Step::ProjectWords);
                }
            }
            break;
        case Step::Closing:
            if (!IsWindow(m_dialog) || !IsWindowVisible(m_dialog)) Next(Step::Done);
            break;
        case Step::Done:
            break;
        }
    }

    const CString& GetFailure() const { return m_failure; }
    int GetWritten() const { return m_written; }

private:
    void Next(Step step) {
        m_step = step;
        m_stepStart = GetTickCount();
    }

    bool Capture(const wchar_t* page) {
        CString path = m_folder + L"\\editor-" + page + L"-" + m_locale + L".png";
        if (SaveWindowPng(m_dialog, path)) {
            ++m_written;
            return true;
        }
        Fail(CString(L"could not write ") + path);
        return false;
    }

    void Click(int treeChild, Step then) {
        if (DoubleClickTreeChild(m_dialog, treeChild)) {
            Next(then);
        } else {
            Fail(L"no tree item to double-click");
        }
    }

    void Fail(const CString& why) {
        if (m_failure.IsEmpty()) m_failure = why;
        Close();
    }

    void Close() {
        Next(Step::Closing);
        SendMessageW(GetDlgItem(m_dialog, IDCANCEL), BM_CLICK, 0, 0);
    }

    void TimedOut() {
        static const wchar_t* const waitingFor[] = {L"the editor to open", L"the settings page",
                                                    L"the system words page", L"the project words page",
                                                    L"the editor to close"};
        const Step step = m_step;
        if (m_failure.IsEmpty()) m_failure = CString(L"timed out waiting for ") + waitingFor[int(step)];
        if (!m_dialog) {
            Next(Step::Done);
            EnumThreadWindows(GetCurrentThreadId(), CloseDialogWindow, 0);
            return;
        }
        if (step == Step::Closing) {
            // Cancel did not end it: end it the way the dialog's own close does.
            Next(Step::Done);
            PostMessageW(m_dialog, WM_CLOSE, 0, 0);
            return;
        }
        Close();
    }

    CString m_folder;
    CString m_locale;
    Step m_step = Step::FindEditor;
    DWORD m_stepStart = 0;
    HWND m_dialog = nullptr;
    HWND m_page = nullptr;  // the page captured last
    int m_written = 0;
    CString m_failure;
};

// The session in progress: a thread timer's procedure is given nothing else.
CEditorSession* g_session = nullptr;

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    try {
        if (g_session) g_session->Tick();
    } catch (...) {
        // Nothing may leave a callback of the message loop; the step times out.
    }
}

// Installs the session and its timer for one scope.
class CSessionTimer {
public:
    explicit CSessionTimer(CEditorSession& session) : m_id(SetTimer(nullptr, 0, kTickInterval, OnTick)) {
        g_session = &session;
    }
    ~CSessionTimer() {
        if (m_id) KillTimer(nullptr, m_id);
        g_session = nullptr;
    }
    CSessionTimer(const CSessionTimer&) = delete;
    CSessionTimer& operator=(const CSessionTimer&) = delete;
    bool IsSet() const { return m_id != 0; }

private:
    UINT_PTR m_id;
};

}  // namespace

CString CaptureEditor(CMainWindow& main, const CString& folder, const CString& locale) {
    CEditorSession session(folder, locale);
    int result = 0;
    {
        CSessionTimer timer(session);
        if (!timer.IsSet()) return L"no timer";
        result = main.OpenEditor();
    }
    if (!session.GetFailure().IsEmpty()) return session.GetFailure();
    if (result == -1) return L"the editor could not be opened";
    if (result != IDCANCEL) return L"the editor did not end with Cancel";
    if (session.GetWritten() != 3) return L"not every page was written";
    return CString();
}
