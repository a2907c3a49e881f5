#include "EditorScreenshots.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <vector>

#include "MainWindow.h"
#include "Screenshot.h"
#include "pages/LanguageSettingsRules.h"

namespace {

// The editor's controls, by the IDs its templates give them.
const int kTreeId = 24057;
const int kLanguageListId = 24072;  // settings page only
const int kEditLanguageId = 24076;
const int kFindWordId = 24075;
const int kGridAreaId = 24085;     // both word pages
const int kFontFieldId = 24083;    // language dialog
const int kBrowseButtonId = 1;     // inside the font field
const int kIdColumn = 0;           // of the language list
const int kFontColumn = 4;
// The platform's font chooser and find dialog.
const int kFaceComboId = 1136;
const int kSizeComboId = 1138;
const int kColourComboId = 1139;
const int kFindWhatId = 1152;
const DWORD kStepTimeout = 10000;  // milliseconds
const UINT kTickInterval = 50;
const int kPictures = 5;  // settings, language, system, find, project

// A face that stands out against the sample dictionary's fonts, whichever of
// them the system has; the first other face otherwise.
const wchar_t* const kPreferredFaces[] = {L"DejaVu Serif", L"Courier New", L"Times New Roman"};
const wchar_t* const kChosenSize = L"12";
const COLORREF kChosenColour = RGB(255, 0, 0);

enum class Step {
    FindEditor,
    Settings,
    LanguageDialog,
    FontChooser,
    FontChosen,
    LanguageClosed,
    SystemWords,
    FindDialog,
    FindClosed,
    ProjectWords,
    Closing,
    Done
};

bool IsShownDialog(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return CString(className) == L"#32770" && IsWindowVisible(window);
}

struct DialogSearch {
    int controlId;
    HWND except;
    HWND found;
};

BOOL CALLBACK FindDialogWindow(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<DialogSearch*>(search);
    if (window == s->except || !IsShownDialog(window) || !GetDlgItem(window, s->controlId)) return TRUE;
    s->found = window;
    return FALSE;
}

// A shown dialog of this thread, other than except, that has a control with
// this ID; or null.
HWND ThreadDialogWith(int controlId, HWND except = nullptr) {
    DialogSearch search = {controlId, except, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindDialogWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct CloseSearch {
    HWND except;
    bool open;
};

// Only an enabled dialog is asked: one that is disabled waits for a dialog
// in front of it, which is asked first.
BOOL CALLBACK CloseDialogWindow(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<CloseSearch*>(search);
    if (window == s->except || !IsShownDialog(window)) return TRUE;
    s->open = true;
    if (IsWindowEnabled(window)) PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Asks every shown dialog of this thread but except to close; false when
// there was none.
bool CloseThreadDialogs(HWND except) {
    CloseSearch search = {except, false};
    EnumThreadWindows(GetCurrentThreadId(), CloseDialogWindow, reinterpret_cast<LPARAM>(&search));
    return search.open;
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

CString WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

CString ListText(HWND list, int row, int column) {
    wchar_t text[256] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(row), LPARAM(&item));
    return text;
}

// By the ID column, which every language fills, whatever the platform knows of it.
int ListRowOf(HWND list, DWORD lcid) {
    for (int row = 0, n = int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); row < n; ++row)
        if (ListText(list, row, kIdColumn) == HexLanguageId(lcid)) return row;
    return -1;
}

void SelectListRow(HWND list, int row) {
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(row), LPARAM(&item));
    SendMessageW(list, LVM_SETSELECTIONMARK, 0, LPARAM(row));
}

CString ComboText(HWND combo, int index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (length == CB_ERR || length >= 256) return CString();
    wchar_t text[256] = {};
    SendMessageW(combo, CB_GETLBTEXT, WPARAM(index), LPARAM(text));
    return text;
}

// Selects the entry the way a user's click does: the dialog hears of it.
bool PickComboEntry(HWND dialog, int comboId, int index) {
    HWND combo = GetDlgItem(dialog, comboId);
    if (index < 0 || SendMessageW(combo, CB_SETCURSEL, WPARAM(index), 0) == CB_ERR) return false;
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), LPARAM(combo));
    return true;
}

int ChooseFace(HWND combo, const CString& current) {
    for (const wchar_t* face : kPreferredFaces) {
        const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(face));
        if (index != CB_ERR && current.CompareNoCase(face) != 0) return int(index);
    }
    for (int i = 0, n = int(SendMessageW(combo, CB_GETCOUNT, 0, 0)); i < n; ++i) {
        const CString face = ComboText(combo, i);
        if (!face.IsEmpty() && face[0] != L'@' && face.CompareNoCase(current) != 0) return i;
    }
    return -1;
}

int ChooseColour(HWND combo) {
    const int n = int(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
        if (COLORREF(SendMessageW(combo, CB_GETITEMDATA, WPARAM(i), 0)) == kChosenColour) return i;
    return n > 1 ? 1 : -1;
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
// (and the loops of the dialogs it opens) dispatches. Each step waits for its
// condition until it times out; a timer message comes only when nothing is
// left to paint, so whatever a tick sees has been drawn. Clicks are posted:
// a dialog they open runs its loop after the tick, never inside it.
class CEditorSession {
public:
    CEditorSession(const CString& folder, DWORD lcid, const CString& locale)
        : m_folder(folder), m_lcid(lcid), m_locale(locale) {
        Next(Step::FindEditor);
    }

    void Tick() {
        if (m_step == Step::Done) return;
        if (GetTickCount() - m_stepStart > kStepTimeout) {
            TimedOut();
            return;
        }
        if (HIWORD(GetQueueStatus(QS_PAINT))) return;
        switch (m_step) {
        case Step::FindEditor:
            m_dialog = ThreadDialogWith(kTreeId);
            if (m_dialog) Next(Step::Settings);
            break;
        case Step::Settings:
            if (HWND list = VisibleControl(m_dialog, kLanguageListId)) OpenLanguage(list);
            break;
        case Step::LanguageDialog:
            if ((m_language = ThreadDialogWith(kFontFieldId, m_dialog))) {
                HWND browse = GetDlgItem(GetDlgItem(m_language, kFontFieldId), kBrowseButtonId);
                if (browse && IsWindowVisible(browse)) Press(browse, Step::FontChooser);
            }
            break;
        case Step::FontChooser:
            if (HWND chooser = ThreadDialogWith(kFaceComboId, m_dialog)) ChooseFont(chooser);
            break;
        case Step::FontChosen:
            if (!IsWindow(m_chooser) && FontFieldShowsChoice() && Capture({m_language}, L"language"))
                Press(GetDlgItem(m_language, IDCANCEL), Step::LanguageClosed);
            break;
        case Step::LanguageClosed:
            if (!IsWindow(m_language) && VisibleControl(m_dialog, kLanguageListId)) {
                if (ListText(m_list, m_row, kFontColumn) != m_oldFace) {
                    Fail(L"Cancel in the language dialog did not put the font back");
                } else if (Capture({m_dialog}, L"settings")) {
                    Click(1, Step::SystemWords);
                }
            }
            break;
        case Step::SystemWords:
        case Step::ProjectWords:
            if (HWND grid = VisibleControl(m_dialog, kGridAreaId)) {
                if (GetParent(grid) == m_page) break;  // the page before has not gone yet
                m_page = GetParent(grid);
                if (m_step == Step::ProjectWords) {
                    if (Capture({m_dialog}, L"project")) Close();
                } else if (Capture({m_dialog}, L"system")) {
                    Press(GetDlgItem(m_page, kFindWordId), Step::FindDialog);
                }
            }
            break;
        case Step::FindDialog:
            if (HWND find = ThreadDialogWith(kFindWhatId, m_dialog)) {
                if (find != m_find) {
                    m_find = find;
                    PlaceOverEditor(find);  // photographed once it has drawn itself there
                } else if (Capture({m_dialog, m_find}, L"find")) {
                    Press(GetDlgItem(m_find, IDCANCEL), Step::FindClosed);
                }
            }
            break;
        case Step::FindClosed:
            if (!IsWindow(m_find) || !IsWindowVisible(m_find)) Click(2, Step::ProjectWords);
            break;
        case Step::Closing:
            if (!IsWindow(m_dialog) || !IsWindowVisible(m_dialog)) {
                Next(Step::Done);
            } else if (!CloseThreadDialogs(m_dialog) && !m_cancelled) {
                m_cancelled = true;
                PostMessageW(GetDlgItem(m_dialog, IDCANCEL), BM_CLICK, 0, 0);
            }
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

    // The row of the editor's own language, edited with the page's button.
    void OpenLanguage(HWND list) {
        m_page = GetParent(list);
        m_list = list;
        m_row = ListRowOf(list, m_lcid);
        if (m_row < 0) {
            Fail(L"the language list has no row for " + m_locale);
            return;
        }
        m_oldFace = ListText(list, m_row, kFontColumn);
        SelectListRow(list, m_row);
        Press(GetDlgItem(m_page, kEditLanguageId), Step::LanguageDialog);
    }

    void ChooseFont(HWND chooser) {
        const int face = ChooseFace(GetDlgItem(chooser, kFaceComboId), m_oldFace);
        m_face = ComboText(GetDlgItem(chooser, kFaceComboId), face);
        // The sizes are listed for the face, so the face comes first.
        if (!PickComboEntry(chooser, kFaceComboId, face) ||
            !PickComboEntry(chooser, kSizeComboId,
                            int(SendDlgItemMessageW(chooser, kSizeComboId, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(kChosenSize)))) ||
            !PickComboEntry(chooser, kColourComboId, ChooseColour(GetDlgItem(chooser, kColourComboId)))) {
            Fail(L"the font chooser offered no other face, size or colour");
            return;
        }
        m_chooser = chooser;
        Press(GetDlgItem(chooser, IDOK), Step::FontChosen);
    }

    // The name and the font itself: the field shows the face in that face.
    bool FontFieldShowsChoice() const {
        HWND field = GetDlgItem(m_language, kFontFieldId);
        LOGFONTW font = {};
        auto shown = HFONT(SendMessageW(field, WM_GETFONT, 0, 0));
        return WindowText(field) == m_face && shown && GetObjectW(shown, sizeof font, &font) &&
               m_face.CompareNoCase(font.lfFaceName) == 0;
    }

    // Into the lower right of the editor, over the grid, where the picture of
    // both shows it.
    void PlaceOverEditor(HWND window) const {
        RECT editor, own;
        GetWindowRect(m_dialog, &editor);
        GetWindowRect(window, &own);
        const int x = editor.right - (own.right - own.left) - 40;
        const int y = editor.bottom - (own.bottom - own.top) - 70;
        SetWindowPos(window, HWND_TOP, x > editor.left ? x : editor.left, y > editor.top ? y : editor.top, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE);
    }

    bool Capture(const std::vector<HWND>& windows, const wchar_t* name) {
        CString path = m_folder + L"\\editor-" + name + L"-" + m_locale + L".png";
        if (SaveWindowsPng(windows, path)) {
            ++m_written;
            return true;
        }
        Fail(CString(L"could not write ") + path);
        return false;
    }

    void Press(HWND button, Step then) {
        if (button && PostMessageW(button, BM_CLICK, 0, 0)) {
            Next(then);
        } else {
            Fail(L"a button to press is missing");
        }
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

    // Whatever is open in front of the editor closes first, then the editor
    // with Cancel.
    void Close() { Next(Step::Closing); }

    void TimedOut() {
        static const wchar_t* const waitingFor[] = {
            L"the editor to open",     L"the settings page",          L"the language dialog",
            L"the font chooser",       L"the chosen font in the language dialog",
            L"the language dialog to close", L"the system words page", L"the find dialog",
            L"the find dialog to close", L"the project words page",   L"the editor to close"};
        const Step step = m_step;
        if (m_failure.IsEmpty()) m_failure = CString(L"timed out waiting for ") + waitingFor[int(step)];
        if (!m_dialog) {
            Next(Step::Done);
            CloseThreadDialogs(nullptr);
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
    DWORD m_lcid;
    CString m_locale;
    Step m_step = Step::FindEditor;
    DWORD m_stepStart = 0;
    HWND m_dialog = nullptr;
    HWND m_page = nullptr;  // the page captured last
    HWND m_list = nullptr;  // the settings page's languages
    int m_row = -1;         // the language edited
    CString m_oldFace;      // its font before
    CString m_face;         // the font chosen for it
    HWND m_language = nullptr;
    HWND m_chooser = nullptr;
    HWND m_find = nullptr;
    bool m_cancelled = false;
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

CString CaptureEditor(CMainWindow& main, const CString& folder, DWORD lcid, const CString& locale) {
    CEditorSession session(folder, lcid, locale);
    int result = 0;
    {
        CSessionTimer timer(session);
        if (!timer.IsSet()) return L"no timer";
        result = main.OpenEditor();
    }
    if (!session.GetFailure().IsEmpty()) return session.GetFailure();
    if (result == -1) return L"the editor could not be opened";
    if (result != IDCANCEL) return L"the editor did not end with Cancel";
    if (session.GetWritten() != kPictures) return L"not every picture was written";
    return CString();
}
