#pragma once

#include <windows.h>

#include <commctrl.h>

#include "base/QorApi.h"

// An image list this object owns: destroyed with it, never copied. Controls
// it is attached to only borrow it, so it must outlive them.
class QOR_API CImageList {
public:
    CImageList() noexcept = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    BOOL DeleteImageList();
    // The index of the new image, or -1.
    int Add(HICON icon) { return m_list ? ImageList_AddIcon(m_list, icon) : -1; }
    int GetImageCount() const { return m_list ? ImageList_GetImageCount(m_list) : 0; }
    HIMAGELIST GetSafeHandle() const noexcept { return m_list; }
    operator HIMAGELIST() const noexcept { return m_list; }

private:
    HIMAGELIST m_list = nullptr;
};
