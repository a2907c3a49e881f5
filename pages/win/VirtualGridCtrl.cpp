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

CVarnPGridCtrl::CellLook CVirtualGridCtrl::OnGetCellLook(int row, int column) {
    CellLook look;
    const WordCellMark mark = m_page.CheckCell(row, column).mark;
    if (mark == WordCellMark::None) return look;
    look.own = true;
    look.back = mark == WordCellMark::Error ? RGB(255, 205, 205) : RGB(255, 240, 190);
    look.text = GetColorTheme().text;
    return look;
}

CString CVirtualGridCtrl::OnGetCellTip(int row, int column) { return m_page.CheckCell(row, column).tip; }

void CVirtualGridCtrl::OnItemChanged(int row, int column, const CString& text) { m_page.OnCellEdited(row, column, text); }

void CVirtualGridCtrl::OnSelChanged(int, int, BOOL selected) {
    if (selected && GetCurSel().row >= 0) m_searchPosition = GetCurSel().row;
}
