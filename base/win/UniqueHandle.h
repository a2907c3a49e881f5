#pragma once

#include <windows.h>

// An owning handle: closes what it holds when it goes, hands it on by move,
// never by copy. A plain HWND, HFONT or HMENU elsewhere is a borrowed one.
template <class Handle, void (*Close)(Handle) noexcept>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : m_handle(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const noexcept { return m_handle; }
    explicit operator bool() const noexcept { return m_handle != nullptr; }
    Handle release() noexcept {
        Handle handle = m_handle;
        m_handle = nullptr;
        return handle;
    }
    void reset(Handle handle = nullptr) noexcept {
        Handle old = m_handle;
        m_handle = handle;
        if (old) Close(old);
    }

private:
    Handle m_handle = nullptr;
};

namespace qor_detail {
inline void CloseFont(HFONT font) noexcept { DeleteObject(font); }
inline void CloseBrush(HBRUSH brush) noexcept { DeleteObject(brush); }
inline void CloseBitmap(HBITMAP bitmap) noexcept { DeleteObject(bitmap); }
inline void CloseIcon(HICON icon) noexcept { DestroyIcon(icon); }
inline void CloseMenu(HMENU menu) noexcept { DestroyMenu(menu); }
inline void CloseMemoryDc(HDC dc) noexcept { DeleteDC(dc); }
inline void DestroyOwnedWindow(HWND window) noexcept { DestroyWindow(window); }
inline void UnloadModule(HMODULE module) noexcept { FreeLibrary(module); }
}  // namespace qor_detail

using UniqueFont = UniqueHandle<HFONT, qor_detail::CloseFont>;
using UniqueBrush = UniqueHandle<HBRUSH, qor_detail::CloseBrush>;
using UniqueBitmap = UniqueHandle<HBITMAP, qor_detail::CloseBitmap>;
using UniqueIcon = UniqueHandle<HICON, qor_detail::CloseIcon>;
using UniqueMenu = UniqueHandle<HMENU, qor_detail::CloseMenu>;
using UniqueMemoryDc = UniqueHandle<HDC, qor_detail::CloseMemoryDc>;
using UniqueWindow = UniqueHandle<HWND, qor_detail::DestroyOwnedWindow>;
using UniqueModule = UniqueHandle<HMODULE, qor_detail::UnloadModule>;

// A window's device context from GetDC or GetWindowDC, released when it goes.
class WindowDc {
public:
    explicit WindowDc(HWND window, bool wholeWindow = false) noexcept
        : m_window(window), m_dc(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    ~WindowDc() {
        if (m_dc) ReleaseDC(m_window, m_dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const noexcept { return m_dc; }
    explicit operator bool() const noexcept { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// Selects a GDI object into a device context for one scope and puts back
// what was selected before, so the object can be deleted afterwards.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : m_dc(dc), m_previous(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (m_previous) SelectObject(m_dc, m_previous);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
