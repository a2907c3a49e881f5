#pragma once

#include <windows.h>

#include "base/CString.h"
#include "base/QorApi.h"
#include "base/win/UniqueHandle.h"

// A window object. A window made by Create belongs to its object: the object
// is bound to it from the first message on, receives its messages through
// the typed OnX handlers, and destroys it when the object goes (a derived
// class whose OnDestroy must run destroys it in its own destructor).
// SubclassWindow binds an existing window without owning it: its messages
// pass through this object (a comctl32 subclass, so other subclasses of the
// same window stay in the chain). Attach only borrows a window to talk to
// it: nothing is bound or destroyed. Detach undoes whichever of these this
// object did, and nothing else.
//
// Notifications (WM_COMMAND, WM_NOTIFY) are first offered to the object of
// the control that sent them (OnCommandReflect, OnNotifyReflect), then to the
// parent's OnCommand / OnNotify. A window of the library's own class keeps
// the font it is given (WM_SETFONT), as dialogs do. No exception leaves a
// window procedure: a handler that throws gets the default processing of its
// message, and the throw is counted (GetCaughtExceptionCount).
class QOR_API CWnd {
public:
    CWnd() noexcept = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // className null: a window of the library's own class, whose messages all
    // reach this object. Otherwise a window of that class (a control), whose
    // messages pass through this object on their way to the control.
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id);
    BOOL Create(LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, className, text, style, rect, parent, id);
    }
    BOOL DestroyWindow();

    // Borrowing an existing window; Detach gives the handle back.
    void Attach(HWND window) noexcept { m_hWnd = window; }
    HWND Detach() noexcept;
    // Routing an existing window's messages through this object without
    // owning it; FALSE when this object already has a window.
    BOOL SubclassWindow(HWND window) noexcept;
    BOOL SubclassDlgItem(UINT id, CWnd* parent) noexcept;
    HWND UnsubclassWindow() noexcept { return Detach(); }

    // The object bound to a window by Create or SubclassWindow, or null.
    static CWnd* FromHandlePermanent(HWND window) noexcept;
    // Exceptions caught at the window-procedure boundary since start-up.
    static long GetCaughtExceptionCount() noexcept;

    HWND GetSafeHwnd() const noexcept { return m_hWnd; }
    operator HWND() const noexcept { return GetSafeHwnd(); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    CString GetWindowText() const;
    // The text of child control id; empty when there is none.
    CString GetDlgItemText(int id) const;
    void SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }
    void SetFont(HFONT font, BOOL redraw = TRUE) { SendMessage(WM_SETFONT, WPARAM(font), redraw); }
    HFONT GetFont() const { return HFONT(SendMessage(WM_GETFONT)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

    // Offered each message of a message loop before it is dispatched, from the
    // window it is for up through its parents; TRUE when consumed.
    virtual BOOL PreTranslateMessage(MSG* message) { return FALSE; }
    // The walk: from message->hwnd up to and including stop (or the top-level
    // window), asking each bound object.
    static BOOL WalkPreTranslateTree(HWND stop, MSG* message);

protected:
    // The message procedure of a bound window. Overrides call the base for
    // whatever they do not handle.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

    virtual int OnCreate(CREATESTRUCTW* create) { return 0; }
    virtual void OnSize(UINT type, int cx, int cy) {}
    virtual void OnClose() { DestroyWindow(); }
    virtual void OnDestroy() {}
    // Commands and notifications from children; TRUE when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) { return FALSE; }
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) { return FALSE; }
    // This control's own notifications, reflected from its parent, so that
    // a control can colour and draw itself.
    virtual BOOL OnCommandReflect(UINT code) { return FALSE; }
    virtual BOOL OnNotifyReflect(NMHDR* header, LRESULT* result) { return FALSE; }
    // WM_CTLCOLOR*: the brush to paint with, or null for the parent's choice.
    virtual HBRUSH OnCtlColorReflect(HDC dc, UINT message) { return nullptr; }
    virtual BOOL OnDrawItemReflect(DRAWITEMSTRUCT* item) { return FALSE; }
    virtual BOOL OnMeasureItemReflect(MEASUREITEMSTRUCT* item) { return FALSE; }
    // The window is gone; the object is still alive and unbound.
    virtual void PostNcDestroy() {}

    // Routes the messages of a window created elsewhere (a dialog) through
    // this object, which owns it from then on.
    bool BindCreated(HWND window) noexcept;
    static void CountCaughtException() noexcept;

private:
    friend struct CWndThunk;
    bool Bind(HWND window, bool ownClass) noexcept;
    void Unbind() noexcept;
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HWND m_hWnd = nullptr;     // the window this object talks to, bound or borrowed
    UniqueWindow m_window;     // set while this object owns its window
    HFONT m_font = nullptr;    // borrowed: the font a window of the own class was given
    bool m_subclassed = false; // this object's subclass is in the window's chain
    bool m_ownClass = false;   // the window is of the library's own class
};
