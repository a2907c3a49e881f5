#pragma once

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <vector>

#include "base/CString.h"
#include "framework/Edit.h"
#include "framework/ToolTipCtrl.h"
#include "framework/Wnd.h"
#include "host/COleVariant.h"
#include "host/ui/VarnPGridColors.h"
#include "widgets/GridFind.h"
#include "widgets/GridGeometry.h"
#include "widgets/GridSelection.h"

// What the virtual-mode callback is asked for: the text of one cell. The
// callback stores it in value (a string, or anything that converts to one)
// and returns TRUE; FALSE or an empty value shows an empty cell.
struct CVarnPGridDisplayInfo {
    int row = 0;
    int column = 0;
    COleVariant value;
};

typedef BOOL (*VarnPGridCallback)(CVarnPGridDisplayInfo* info, LPARAM param);

// A cell; -1 in either field means none.
struct CVarnPGridItemID {
    int row = -1;
    int column = -1;
    bool IsNull() const { return row < 0 || column < 0; }
};

// Selection flags of SetCurSel: what happens to the selected rows when the
// current cell moves. Without either flag the selection stays as it is.
constexpr DWORD VARNP_GRID_SEL_ADD = 0x08;     // the cell's row joins the selection
constexpr DWORD VARNP_GRID_SEL_SINGLE = 0x80;  // the cell's row becomes the only one selected

// A virtual grid window: rows are numbers, their cells' texts come from the
// callback when drawn, so the grid holds no copy of the data and costs the
// same for ten rows or a million. Leading columns can be frozen against
// horizontal scrolling; a header shows the headings (columns resize by
// dragging their right edge) and a row header the row numbers. Cells are
// edited in place (double-click, F2 or typing; Enter commits, Escape cancels,
// Tab commits and moves on); rows are selected with the mouse (click,
// Shift, Ctrl, drag) and the keyboard (arrows, Page Up/Down, Home/End,
// Ctrl+A). The platform find dialog searches a column.
class QOR_API CVarnPGridCtrl : public CWnd {
public:
    CVarnPGridCtrl();
    ~CVarnPGridCtrl() override;

    // A child window; scroll bars are added to style.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Borrowed: images for the headings (InsertColumn's image index).
    void SetImageList(HIMAGELIST images) { m_images = images; }
    // Kept for the host library's callers; the grid shows the system's scroll bars whatever the style.
    void SetScrollBarsStyle(int style) { m_scrollBarsStyle = style; }
    int GetScrollBarsStyle() const { return m_scrollBarsStyle; }

    void EnableVirtualMode(VarnPGridCallback callback, LPARAM param);
    void SetVirtualRows(int count);
    int GetTotalRowCount() const { return m_geometry.GetRowCount(); }
    // The cell's text as the callback gives it; empty outside the grid.
    CString GetCellText(int row, int column) const;

    void DeleteAllColumns();
    int GetColumnCount() const { return m_geometry.GetColumnCount(); }
    // Inserts before position (out of range: appends); returns the new column's index.
    int InsertColumn(int position, LPCWSTR heading, int width, int image = -1, BOOL resizable = TRUE);
    CString GetColumnName(int column) const;
    int GetColumnWidth(int column) const { return m_geometry.GetColumnWidth(column); }
    void SetColumnWidth(int column, int width);
    void FreezeColumns(int count, BOOL redraw = TRUE);
    int GetFrozenColumnCount() const { return m_geometry.GetFrozenColumns(); }

    // Marks the heading of the sort column with an arrow; the grid itself never sorts.
    void EnableMarkSortedColumn(BOOL enable = TRUE, BOOL redraw = TRUE);
    void SetSortColumn(int column, BOOL ascending = TRUE, BOOL redraw = TRUE);
    void EnableHeader(BOOL enable = TRUE, DWORD flags = 0);
    void EnableRowHeader(BOOL enable = TRUE, DWORD flags = 0xFFFFFFFF, int width = 30);
    void SetRowHeaderWidth(int width, BOOL redraw = TRUE);
    int GetRowHeaderWidth() const { return m_rowHeaderWidth; }
    void SetColorTheme(const CVarnPGridColors& colors, BOOL redraw = TRUE);
    const CVarnPGridColors& GetColorTheme() const { return m_colors; }

    // Selects the grid's font into dc and returns the font it replaced.
    HFONT SetCurrFont(HDC dc) const;
    HFONT GetGridFont() const;
    // Refits rows, header and scroll bars to the font and the window size, and redraws.
    void AdjustLayout();

    BOOL IsRowSelected(int row) const { return m_selection.IsSelected(row); }
    long long GetSelectedRowCount() const { return m_selection.GetSelectedCount(); }
    // Makes row current; add keeps the rows already selected.
    void SelectRow(int row, BOOL add = FALSE, BOOL redraw = TRUE);
    void SelectAll(BOOL redraw = TRUE);
    void SetCurSel(int row, int column, DWORD flags = VARNP_GRID_SEL_SINGLE, BOOL redraw = TRUE);
    CVarnPGridItemID GetCurSel() const;

    // Scrolls the row (the column) whole into view.
    void EnsureVisible(int row, BOOL partialOK = FALSE);
    void EnsureVisibleColumn(int column);
    int GetTopRow() const { return m_geometry.GetTopRow(); }
    int GetPageRows() const { return m_geometry.GetPageRows(); }
    // The cell's rectangle in client coordinates (may lie outside the window).
    RECT GetCellRect(int row, int column) const;

    // In-place editing of a cell with its current text; FALSE when it cannot start.
    BOOL EditItem(int row, int column);
    void EndEditItem(BOOL commit);
    BOOL IsEditing() const { return m_editing; }

    // What a cell shows besides its text: its own colours, where it has any,
    // in rows that are not selected, and the tooltip over it.
    struct CellLook {
        bool own = false;
        COLORREF back = 0;
        COLORREF text = 0;
    };
    CellLook GetCellLook(int row, int column) { return OnGetCellLook(row, column); }
    CString GetCellTip(int row, int column) { return OnGetCellTip(row, column); }
    HWND GetToolTip() const { return m_tip.GetSafeHwnd(); }

    // Opens (or brings forward) the platform find dialog; its requests reach Find.
    // Only finding is offered: with find FALSE nothing opens.
    BOOL OpenFindReplaceDlg(BOOL find = TRUE);
    HWND GetFindReplaceDlg() const { return m_findDialog.GetSafeHwnd(); }
    // flags: kGridFindDown, kGridFindWholeWord, kGridFindMatchCase, kGridFindNext.
    // Searches the current cell's column from the row after (before) the
    // current one, selects the match and returns TRUE; no wrap-around.
    virtual BOOL Find(const CString& text, DWORD flags);

protected:
    // After an in-place edit changed a cell's text.
    virtual void OnItemChanged(int row, int column, const CString& text) {}
    // After rows first..last became selected (or unselected); the current
    // cell has already moved.
    virtual void OnSelChanged(int firstRow, int lastRow, BOOL selected) {}
    virtual BOOL CanEditItem(int row, int column) { return TRUE; }
    // Asked for every cell drawn and for the cell under the mouse; both
    // must be cheap. Without an override cells have the theme's colours
    // and no tooltip.
    virtual CellLook OnGetCellLook(int row, int column) { return CellLook(); }
    virtual CString OnGetCellTip(int row, int column) { return CString(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;

private:
    class InPlaceEdit : public CEdit {
    public:
        explicit InPlaceEdit(CVarnPGridCtrl& grid) : m_grid(grid) {}

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    private:
        CVarnPGridCtrl& m_grid;
    };
    // Gives the modeless find dialog its keyboard handling in any message loop.
    class FindDialog : public CWnd {
    public:
        BOOL PreTranslateMessage(MSG* message) override;
    };
    struct Column {
        CString heading;
        int image;
        bool resizable;
    };

    void Paint(HDC target, const RECT& area);
    void Draw(HDC dc, const RECT& area);
    void DrawHeader(HDC dc, const RECT& area, const std::vector<GridVisibleColumn>& columns);
    void DrawRowHeader(HDC dc, const RECT& area, int firstRow, int lastRow);
    void UpdateMetrics();
    void UpdateScrollBars();
    void Redraw(BOOL redraw = TRUE);
    void ScrollToRow(int top);
    void ScrollToX(int x);
    void Notify(const GridSelectionChanges& changes);
    void AfterMove();
    BOOL BeginEdit(int row, int column, const CString& text, bool typed);
    void MoveAfterTab(bool backward);
    void CreateToolTip();
    void TrackTip(const MSG& mouse);
    void ForgetTipCell();

    LRESULT OnKeyDown(WPARAM key);
    void OnChar(WCHAR ch);
    void OnLButtonDown(int x, int y, WPARAM keys);
    void OnMouseMove(int x, int y);
    void OnVScroll(int code);
    void OnHScroll(int code);
    void OnFindMessage(FINDREPLACEW* request);

    GridGeometry m_geometry;
    GridSelection m_selection;
    std::vector<Column> m_columns;
    CVarnPGridColors m_colors;
    VarnPGridCallback m_callback = nullptr;
    LPARAM m_callbackParam = 0;
    HIMAGELIST m_images = nullptr;
    int m_scrollBarsStyle = 0;
    bool m_header = true;
    bool m_rowHeader = true;
    int m_rowHeaderWidth = 30;
    bool m_markSorted = false;
    int m_sortColumn = -1;
    bool m_sortAscending = true;
    int m_textHeight = 13;

    // Mouse tracking: a column edge being dragged, or rows being swept.
    int m_resizeColumn = -1;
    int m_resizeStartX = 0;
    int m_resizeStartWidth = 0;
    bool m_sweeping = false;
    bool m_sweepAdds = false;
    bool m_layingOut = false;

    InPlaceEdit m_edit;
    bool m_editing = false;
    int m_editRow = -1;
    int m_editColumn = -1;
    CString m_editOriginal;

    // One tool that follows the mouse from cell to cell; its text is asked for when shown.
    CToolTipCtrl m_tip;
    CVarnPGridItemID m_tipCell;
    CString m_tipText;

    FindDialog m_findDialog;
    FINDREPLACEW m_findRequest;
    WCHAR m_findText[256];
};
