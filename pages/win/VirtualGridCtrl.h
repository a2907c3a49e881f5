#pragma once

#include "host/ui/VarnPGridCtrl.h"

class CWordPage;

// A word page's grid: cells come from the page, edits and searches go to it.
// The search position follows the selection, so the next search starts after
// (or before) the row last found or picked.
class QOR_API CVirtualGridCtrl : public CVarnPGridCtrl {
public:
    explicit CVirtualGridCtrl(CWordPage& page) noexcept : m_page(page) {}

    BOOL Find(const CString& text, DWORD flags) override;
    int GetSearchPosition() const { return m_searchPosition; }

protected:
    void OnItemChanged(int row, int column, const CString& text) override;
    void OnSelChanged(int firstRow, int lastRow, BOOL selected) override;
    BOOL CanEditItem(int row, int column) override { return column > 0; }
    // Translations that fail the checks: tinted, and the findings as the tooltip.
    CellLook OnGetCellLook(int row, int column) override;
    CString OnGetCellTip(int row, int column) override;

private:
    CWordPage& m_page;
    int m_searchPosition = 0;
};

// The system page's grid and the project page's: one design for both modes.
typedef CVirtualGridCtrl CVirtualGridCtrl1;
typedef CVirtualGridCtrl CVirtualGridCtrl2;
