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
inline void CloseMenu(HMENU menu) noexcept { DestroyMenu(menu); }
inline void DestroyOwnedWindow(HWND window) noexcept { DestroyWindow(window); }
}  // namespace qor_detail

using UniqueFont = UniqueHandle<HFONT, qor_detail::CloseFont>;
using UniqueMenu = UniqueHandle<HMENU, qor_detail::CloseMenu>;
using UniqueWindow = UniqueHandle<HWND, qor_detail::DestroyOwnedWindow>;
