#include "pages/win/VirtualGridCtrl.h"

#include "pages/WordPageRules.h"
#include "pages/win/WordPage.h"

BOOL CVirtualGridCtrl::Find(const CString& text, DWORD flags) {
    if (!(flags & kFindNext)) return CVarnPGridCtrl::Find(text, flags);
    const int row = m_page.FindWord(text, flags, m_searchPosition);
    if (row >= 0) {
        SetCurSel(row, 1, VARNP_GRID_SEL_ADD | VARNP_GRID_SEL_SINGLE, TRUE);
        EnsureVisible(row);
        EnsureVisibleColumn(1);
        m_searchPosition = (flags & kFindDown) ? row + 1 : row - 1;
    }
    AdjustLayout();
    return row >= 0;
}

void CVirtualGridCtrl::OnItemChanged(int row, int column, const CString& text) { m_page.OnCellEdited(row, column, text); }

void CVirtualGridCtrl::OnSelChanged(int, int, BOOL selected) {
    if (selected && GetCurSel().row >= 0) m_searchPosition = GetCurSel().row;
}
