#include "framework/Wnd.h"

#include <windows.h>
#include <commctrl.h>

// The entry points of every bound window: the window procedure of the
// library's own class, which binds its object at WM_NCCREATE, and the
// comctl32 subclass procedure through which every bound window's messages
// reach their object (the subclass's reference data is the object).
struct CWndThunk {
    static LRESULT CALLBACK ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR object);
};

namespace {

const wchar_t kWindowClass[] = L"QorDictionaryWnd";
const UINT_PTR kSubclassId = 0x516F72;  // "Qor"
volatile long g_caughtExceptions = 0;

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

bool RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = CWndThunk::ClassProc;
        wc.hInstance = ThisModule();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
        wc.lpszClassName = kWindowClass;
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

// The common controls register their classes once per process.
void InitCommonControlClasses() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}


// comctl32 exports this one by ordinal only (Windows before 6.0, and Wine).
BOOL FindSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR* data) {
    typedef BOOL(WINAPI * GetWindowSubclassProc)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);
    static const GetWindowSubclassProc get = [] {
        HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
        return comctl ? reinterpret_cast<GetWindowSubclassProc>(
                            reinterpret_cast<void*>(GetProcAddress(comctl, MAKEINTRESOURCEA(411))))
                      : nullptr;
    }();
    return get && get(window, proc, id, data);
}

}  // namespace

LRESULT CALLBACK CWndThunk::ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // From here on the subclass procedure carries every message.
    if (message == WM_NCCREATE && !CWnd::FromHandlePermanent(window)) {
        if (auto* object = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams)) {
            if (!object->Bind(window, true)) return FALSE;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK CWndThunk::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR object) {
    return reinterpret_cast<CWnd*>(object)->Dispatch(message, wParam, lParam);
}

CWnd::~CWnd() {
    // Destroying the window unbinds this object on the way (WM_NCDESTROY).
    m_window.reset();
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent,
                    UINT id) {
    if (m_hWnd) return FALSE;
    const bool ownClass = className == nullptr;
    if (ownClass && !RegisterWindowClass()) return FALSE;
    if (!ownClass) InitCommonControlClasses();
    HWND parentWindow = parent ? parent->m_hWnd : nullptr;
    HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(UINT_PTR(id)) : nullptr;
    HWND window = CreateWindowExW(exStyle, ownClass ? kWindowClass : className, text, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parentWindow, menuOrId,
                                  ThisModule(), ownClass ? this : nullptr);
    if (!window) return FALSE;
    if (!ownClass && !Bind(window, false)) {
        ::DestroyWindow(window);
        return FALSE;
    }
    m_window.reset(window);
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    if (m_window) {
        m_window.reset();
        return TRUE;
    }
    return ::DestroyWindow(m_hWnd);
}

HWND CWnd::Detach() noexcept {
    HWND window = m_hWnd;
    if (m_subclassed) Unbind();
    m_window.release();
    m_hWnd = nullptr;
    return window;
}

BOOL CWnd::SubclassWindow(HWND window) noexcept {
    if (m_hWnd || !IsWindow(window) || FromHandlePermanent(window)) return FALSE;
    return Bind(window, false);
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) noexcept {
    return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, int(id)));
}

CWnd* CWnd::FromHandlePermanent(HWND window) noexcept {
    DWORD_PTR object = 0;
    if (!window || !FindSubclass(window, &CWndThunk::SubclassProc, kSubclassId, &object)) return nullptr;
    return reinterpret_cast<CWnd*>(object);
}

long CWnd::GetCaughtExceptionCount() noexcept { return g_caughtExceptions; }

void CWnd::CountCaughtException() noexcept { InterlockedIncrement(&g_caughtExceptions); }

bool CWnd::BindCreated(HWND window) noexcept {
    if (m_hWnd || !Bind(window, false)) return false;
    m_window.reset(window);
    return true;
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* message) {
    for (HWND window = message->hwnd; window; window = GetAncestor(window, GA_PARENT)) {
        CWnd* object = FromHandlePermanent(window);
        if (object && object->PreTranslateMessage(message)) return TRUE;
        if (window == stop || !(GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) break;
    }
    return FALSE;
}

CString CWnd::GetDlgItemText(int id) const {
    CWnd item;
    item.Attach(::GetDlgItem(m_hWnd, id));
    const CString text = item.GetWindowText();
    item.Detach();
    return text;
}

CString CWnd::GetWindowText() const {
    CString text;
    const int length = GetWindowTextLengthW(m_hWnd);
    if (length > 0) {
        const int read = ::GetWindowTextW(m_hWnd, text.GetBuffer(length + 1), length + 1);
        text.ReleaseBuffer(read > 0 ? read : 0);
    }
    return text;
}

bool CWnd::Bind(HWND window, bool ownClass) noexcept {
    if (!SetWindowSubclass(window, &CWndThunk::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_hWnd = window;
    m_subclassed = true;
    m_ownClass = ownClass;
    return true;
}

void CWnd::Unbind() noexcept {
    if (m_subclassed) RemoveWindowSubclass(m_hWnd, &CWndThunk::SubclassProc, kSubclassId);
    m_window.release();
    m_hWnd = nullptr;
    m_subclassed = false;
    m_ownClass = false;
    m_font = nullptr;
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_subclassed ? DefSubclassProc(m_hWnd, message, wParam, lParam)
                        : DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCDESTROY) {
        const LRESULT result = Default(message, wParam, lParam);
        Unbind();
        try {
            PostNcDestroy();
        } catch (...) {
            CountCaughtException();
        }
        return result;
    }
    try {
        return WindowProc(message, wParam, lParam);
    } catch (...) {
        CountCaughtException();
    }
    try {
        return Default(message, wParam, lParam);
    } catch (...) {
        CountCaughtException();
        return 0;
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_SIZE:
        OnSize(UINT(wParam), LOWORD(lParam), HIWORD(lParam));
        // A control lays itself out on its own WM_SIZE as well.
        if (!m_ownClass) break;
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_SETFONT:
        if (!m_ownClass) break;
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(m_hWnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        if (!m_ownClass) break;
        return reinterpret_cast<LRESULT>(m_font);
    case WM_COMMAND: {
        CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        if (child && child->OnCommandReflect(HIWORD(wParam))) return 0;
        if (OnCommand(wParam, lParam)) return 0;
        break;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        if (child && child != this)
            if (HBRUSH brush = child->OnCtlColorReflect(reinterpret_cast<HDC>(wParam), message))
                return reinterpret_cast<LRESULT>(brush);
        break;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        CWnd* child = item->CtlType != ODT_MENU ? FromHandlePermanent(item->hwndItem) : nullptr;
        if (child && child->OnDrawItemReflect(item)) return TRUE;
        break;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        CWnd* child = item->CtlType != ODT_MENU ? FromHandlePermanent(::GetDlgItem(m_hWnd, int(item->CtlID))) : nullptr;
        if (child && child->OnMeasureItemReflect(item)) return TRUE;
        break;
    }
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT result = 0;
        CWnd* child = header ? FromHandlePermanent(header->hwndFrom) : nullptr;
        if (child && child->OnNotifyReflect(header, &result)) return result;
        if (OnNotify(wParam, lParam, &result)) return result;
        break;
    }
    }
    return Default(message, wParam, lParam);
}
