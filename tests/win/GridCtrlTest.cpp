// The virtual grid window driven by messages as a user would: painting asks
// for the visible cells only, frozen columns, in-place editing, selection
// with mouse and keys, and finding through the find dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "ModalDriver.h"
#include "WinTestSupport.h"
#include "host/ui/VarnPGridCtrl.h"

namespace {

// The data behind the grid: cell (r, c) reads "R<r>C<c>", unless column 1
// has its own texts. Every question the grid asks is counted.
struct Cells {
    std::vector<CString> column1;
    int calls = 0;
    std::set<std::pair<int, int>> asked;
};

BOOL CellText(CVarnPGridDisplayInfo* info, LPARAM param) {
    Cells* cells = reinterpret_cast<Cells*>(param);
    ++cells->calls;
    cells->asked.insert({info->row, info->column});
    CString text;
    if (info->column == 1 && std::size_t(info->row) < cells->column1.size())
        text = cells->column1[std::size_t(info->row)];
    else
        text.Format(L"R%dC%d", info->row, info->column);
    info->value = COleVariant(text.GetString());
    return TRUE;
}

class TestGrid : public CVarnPGridCtrl {
public:
    struct Edit {
        int row, column;
        CString text;
    };
    struct FindCall {
        CString text;
        DWORD flags;
    };
    std::vector<Edit> edits;
    std::vector<GridSelectionChange> selections;
    std::vector<FindCall> finds;

    BOOL Find(const CString& text, DWORD flags) override {
        finds.push_back(FindCall{text, flags});
        return CVarnPGridCtrl::Find(text, flags);
    }

protected:
    void OnItemChanged(int row, int column, const CString& text) override { edits.push_back(Edit{row, column, text}); }
    void OnSelChanged(int first, int last, BOOL selected) override {
        selections.push_back(GridSelectionChange{GridRowRange{first, last}, selected != FALSE});
    }
};

// Keys held down for the thread while it lives, as GetKeyState reports them.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(m_saved);
        BYTE state[256];
        std::memcpy(state, m_saved, sizeof state);
        for (int key : keys) state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

void Key(HWND window, WPARAM key) { SendMessageW(window, WM_KEYDOWN, key, 0); }

void Drain() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// Five columns of 100 px, the first two frozen, in a 400 × 300 window.
class GridCtrl : public ::testing::Test {
protected:
    void SetUp() override {
        ShowWindow(host.GetSafeHwnd(), SW_SHOWNA);
        ASSERT_TRUE(grid.Create(WS_VISIBLE, RECT{0, 0, 400, 300}, &host, 1));
        grid.EnableVirtualMode(CellText, LPARAM(&cells));
        for (int c = 0; c < 5; ++c) grid.InsertColumn(-1, L"列", 100);
        grid.FreezeColumns(2, TRUE);
        grid.AdjustLayout();
    }

    HWND Grid() const { return grid.GetSafeHwnd(); }
    RECT Client() const {
        RECT client;
        GetClientRect(Grid(), &client);
        return client;
    }
    POINT CenterOf(int row, int column) const {
        const RECT cell = grid.GetCellRect(row, column);
        return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    }
    void Press(int row, int column, WPARAM keys = 0) {
        const POINT at = CenterOf(row, column);
        SendMessageW(Grid(), WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(at.x, at.y));
        SendMessageW(Grid(), WM_LBUTTONUP, keys, MAKELPARAM(at.x, at.y));
    }
    HWND InPlaceEdit() const { return FindWindowExW(Grid(), nullptr, L"Edit", nullptr); }

    // One paint into a memory bitmap; the number of cells it asked for.
    int PaintOnce() {
        cells.calls = 0;
        cells.asked.clear();
        const RECT client = Client();
        WindowDc screen(nullptr);
        UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
        UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
        SelectedObject selected(memory.get(), bitmap.get());
        SendMessageW(Grid(), WM_PRINTCLIENT, WPARAM(memory.get()), PRF_CLIENT);
        return cells.calls;
    }
    // The cells whose rectangles reach into the data area, counted from the
    // grid's own cell rectangles: rows from the top one down to the client's
    // bottom, frozen columns and those right of the frozen band's edge.
    std::set<std::pair<int, int>> ExpectedVisible() const {
        const RECT client = Client();
        const int frozenEdge = grid.GetCellRect(0, grid.GetFrozenColumnCount() - 1).right;
        std::set<std::pair<int, int>> visible;
        for (int row = grid.GetTopRow(); row < grid.GetTotalRowCount(); ++row) {
            if (grid.GetCellRect(row, 0).top >= client.bottom) break;
            for (int c = 0; c < grid.GetColumnCount(); ++c) {
                const RECT cell = grid.GetCellRect(row, c);
                const bool shown = c < grid.GetFrozenColumnCount() || (cell.right > frozenEdge && cell.left < client.right);
                if (shown) visible.insert({row, c});
            }
        }
        return visible;
    }

    HostWindow host{L"表格"};
    Cells cells;
    TestGrid grid;
};

}  // namespace

TEST_F(GridCtrl, PaintAsksForTheVisibleCellsOnceWhateverTheRowCount) {
    grid.SetVirtualRows(0);
    EXPECT_EQ(PaintOnce(), 0);

    grid.SetVirtualRows(1);
    EXPECT_EQ(PaintOnce(), 4);  // one row, columns 0..3 reach into 400 px
    EXPECT_EQ(cells.asked, ExpectedVisible());

    grid.SetVirtualRows(1000000);
    const int atTop = PaintOnce();
    EXPECT_EQ(cells.asked, ExpectedVisible());
    EXPECT_EQ(atTop, int(cells.asked.size()));  // no cell asked twice
    EXPECT_GT(atTop, 4 * grid.GetPageRows() - 1);
    EXPECT_LT(atTop, 4 * (grid.GetPageRows() + 2));

    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    ASSERT_TRUE(GetScrollInfo(Grid(), SB_VERT, &info));
    EXPECT_EQ(info.nMax, 999999);
    EXPECT_EQ(int(info.nPage), grid.GetPageRows());

    SendMessageW(Grid(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(grid.GetTopRow(), 1000000 - grid.GetPageRows());
    GetScrollInfo(Grid(), SB_VERT, &info);
    EXPECT_EQ(info.nPos, grid.GetTopRow());
    PaintOnce();
    EXPECT_EQ(cells.asked, ExpectedVisible());
    EXPECT_EQ(cells.asked.begin()->first, grid.GetTopRow());
    EXPECT_EQ(cells.asked.rbegin()->first, 999999);

    // A real paint through the window's update region asks the same cells.
    RedrawWindow(Grid(), nullptr, nullptr, RDW_INVALIDATE);
    cells.calls = 0;
    cells.asked.clear();
    RedrawWindow(Grid(), nullptr, nullptr, RDW_UPDATENOW);
    EXPECT_EQ(cells.asked, ExpectedVisible());
    EXPECT_EQ(cells.calls, int(cells.asked.size()));

    // Fewer rows again: the view comes back to the top.
    grid.SetVirtualRows(3);
    EXPECT_EQ(grid.GetTopRow(), 0);
    PaintOnce();
    EXPECT_EQ(cells.asked.rbegin()->first, 2);
}

TEST_F(GridCtrl, FrozenColumnsStayWhileTheOthersScrollSideways) {
    grid.SetVirtualRows(50);
    const RECT frozen0 = grid.GetCellRect(0, 0), frozen1 = grid.GetCellRect(0, 1), last = grid.GetCellRect(0, 4);
    SendMessageW(Grid(), WM_HSCROLL, SB_RIGHT, 0);
    const RECT after0 = grid.GetCellRect(0, 0), after1 = grid.GetCellRect(0, 1);
    EXPECT_TRUE(EqualRect(&frozen0, &after0));
    EXPECT_TRUE(EqualRect(&frozen1, &after1));
    const RECT scrolled = grid.GetCellRect(0, 4);
    EXPECT_LT(scrolled.left, last.left);
    EXPECT_EQ(scrolled.right, Client().right);  // scrolled fully to the right

    // The paint draws the frozen columns and the last one, not column 2
    // which went under the frozen band.
    PaintOnce();
    EXPECT_EQ(cells.asked, ExpectedVisible());
    EXPECT_TRUE(cells.asked.count({0, 0}) && cells.asked.count({0, 1}) && cells.asked.count({0, 4}));
    EXPECT_FALSE(cells.asked.count({0, 2}));

    // A click at the frozen column's place still hits the frozen column.
    Press(3, 1);
    EXPECT_EQ(grid.GetCurSel().column, 1);
    grid.EnsureVisibleColumn(2);
    EXPECT_EQ(grid.GetCellRect(0, 2).left, frozen1.right);
}

TEST_F(GridCtrl, InPlaceEditCommitsCancelsAndTabMovesOn) {
    grid.SetVirtualRows(10);
    // F2 edits the current cell with its text; Enter commits.
    grid.SetCurSel(2, 3);
    Key(Grid(), VK_F2);
    ASSERT_TRUE(grid.IsEditing());
    HWND edit = InPlaceEdit();
    ASSERT_TRUE(edit);
    EXPECT_EQ(TextOf(edit), L"R2C3");
    SetWindowTextW(edit, L"新的");
    Key(edit, VK_RETURN);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_FALSE(IsWindowVisible(edit));
    ASSERT_EQ(grid.edits.size(), 1u);
    EXPECT_EQ(grid.edits[0].row, 2);
    EXPECT_EQ(grid.edits[0].column, 3);
    EXPECT_EQ(grid.edits[0].text, L"新的");

    // Escape cancels; Enter on an unchanged text reports nothing.
    grid.EditItem(4, 2);
    SetWindowTextW(InPlaceEdit(), L"discarded");
    Key(InPlaceEdit(), VK_ESCAPE);
    EXPECT_FALSE(grid.IsEditing());
    grid.EditItem(4, 2);
    Key(InPlaceEdit(), VK_RETURN);
    EXPECT_EQ(grid.edits.size(), 1u);

    // Typing starts an edit holding what was typed; Tab commits and moves right.
    grid.SetCurSel(5, 1);
    SendMessageW(Grid(), WM_CHAR, L'x', 0);
    ASSERT_TRUE(grid.IsEditing());
    SendMessageW(InPlaceEdit(), WM_CHAR, L'y', 0);
    EXPECT_EQ(TextOf(InPlaceEdit()), L"xy");
    Key(InPlaceEdit(), VK_TAB);
    ASSERT_EQ(grid.edits.size(), 2u);
    EXPECT_EQ(grid.edits[1].row, 5);
    EXPECT_EQ(grid.edits[1].column, 1);
    EXPECT_EQ(grid.edits[1].text, L"xy");
    EXPECT_EQ(grid.GetCurSel().row, 5);
    EXPECT_EQ(grid.GetCurSel().column, 2);
    // From the last column Tab goes on to the next row's first cell.
    grid.EditItem(5, 4);
    Key(InPlaceEdit(), VK_TAB);
    EXPECT_EQ(grid.GetCurSel().row, 6);
    EXPECT_EQ(grid.GetCurSel().column, 0);
    EXPECT_TRUE(grid.IsRowSelected(6));

    // A double-click edits the cell under the mouse (editing column 4 scrolled column 2 away).
    grid.EnsureVisibleColumn(2);
    DoubleClickAt(Grid(), CenterOf(1, 2));
    Drain();
    ASSERT_TRUE(grid.IsEditing());
    EXPECT_EQ(TextOf(InPlaceEdit()), L"R1C2");
    EXPECT_EQ(grid.GetCurSel().row, 1);
    // Leaving the grid's rows (fewer rows than the edited one) drops the edit.
    grid.SetVirtualRows(1);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(grid.edits.size(), 2u);
}

TEST_F(GridCtrl, MouseSelectsWithShiftCtrlCornerAndRowNumbers) {
    grid.SetVirtualRows(100);
    Press(1, 2);
    EXPECT_EQ(grid.selections, (std::vector<GridSelectionChange>{{{1, 1}, true}}));
    Press(4, 2, MK_SHIFT);
    for (int row = 0; row < 6; ++row) EXPECT_EQ(grid.IsRowSelected(row) != FALSE, row >= 1 && row <= 4) << row;
    Press(2, 3, MK_CONTROL);
    EXPECT_FALSE(grid.IsRowSelected(2));
    EXPECT_EQ(grid.GetSelectedRowCount(), 3);
    EXPECT_EQ(grid.selections.back(), (GridSelectionChange{{2, 2}, false}));

    // Row numbers select their row; the corner selects all.
    const RECT row7 = grid.GetCellRect(7, 0);
    SendMessageW(Grid(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, row7.top + 2));
    SendMessageW(Grid(), WM_LBUTTONUP, 0, MAKELPARAM(5, row7.top + 2));
    EXPECT_EQ(grid.GetSelectedRowCount(), 1);
    EXPECT_TRUE(grid.IsRowSelected(7));
    SendMessageW(Grid(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(Grid(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(grid.GetSelectedRowCount(), 100);

    // Sweeping with the button held selects the rows passed over.
    const POINT from = CenterOf(3, 2), to = CenterOf(6, 2);
    SendMessageW(Grid(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageW(Grid(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessageW(Grid(), WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    EXPECT_EQ(grid.GetSelectedRowCount(), 4);
    EXPECT_TRUE(grid.IsRowSelected(3) && grid.IsRowSelected(6));

    // Dragging a heading's right edge resizes that column.
    const RECT first = grid.GetCellRect(0, 0);
    SendMessageW(Grid(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.right - 1, 5));
    SendMessageW(Grid(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(first.right + 29, 5));
    SendMessageW(Grid(), WM_LBUTTONUP, 0, MAKELPARAM(first.right + 29, 5));
    EXPECT_EQ(grid.GetColumnWidth(0), 130);
    EXPECT_EQ(grid.GetCellRect(0, 1).left, first.right + 30);
    EXPECT_EQ(grid.GetSelectedRowCount(), 4);  // resizing selects nothing
}

TEST_F(GridCtrl, KeysMoveSelectAndScroll) {
    grid.SetVirtualRows(1000);
    const int page = grid.GetPageRows();
    grid.SetCurSel(10, 2);
    Key(Grid(), VK_DOWN);
    EXPECT_EQ(grid.GetCurSel().row, 11);
    EXPECT_EQ(grid.GetSelectedRowCount(), 1);
    {
        HeldKeys shift{VK_SHIFT};
        Key(Grid(), VK_DOWN);
        Key(Grid(), VK_DOWN);
    }
    EXPECT_EQ(grid.GetSelectedRowCount(), 3);
    EXPECT_TRUE(grid.IsRowSelected(11) && grid.IsRowSelected(13));
    Key(Grid(), VK_RIGHT);
    EXPECT_EQ(grid.GetCurSel().column, 3);
    EXPECT_EQ(grid.GetSelectedRowCount(), 1);

    Key(Grid(), VK_NEXT);
    EXPECT_EQ(grid.GetCurSel().row, 13 + page);
    EXPECT_LE(grid.GetTopRow(), 13 + page);
    EXPECT_GE(grid.GetTopRow() + page - 1, 13 + page);  // scrolled into view
    Key(Grid(), VK_END);
    EXPECT_EQ(grid.GetCurSel().row, 999);
    EXPECT_EQ(grid.GetTopRow(), 1000 - page);
    Key(Grid(), VK_PRIOR);
    EXPECT_EQ(grid.GetCurSel().row, 999 - page);
    Key(Grid(), VK_HOME);
    EXPECT_EQ(grid.GetCurSel().row, 0);
    EXPECT_EQ(grid.GetTopRow(), 0);
    EXPECT_TRUE(grid.IsRowSelected(0));

    grid.selections.clear();
    {
        HeldKeys ctrl{VK_CONTROL};
        Key(Grid(), 'A');
    }
    EXPECT_EQ(grid.GetSelectedRowCount(), 1000);
    EXPECT_EQ(grid.selections, (std::vector<GridSelectionChange>{{{1, 999}, true}}));
    // 'A' alone starts typing rather than selecting.
    SendMessageW(Grid(), WM_CHAR, L'A', 0);
    EXPECT_TRUE(grid.IsEditing());
    EXPECT_EQ(TextOf(InPlaceEdit()), L"A");
    Key(InPlaceEdit(), VK_ESCAPE);
}

TEST_F(GridCtrl, FindSearchesTheCurrentColumnBothWaysWithoutWrapping) {
    cells.column1 = {L"alpha", L"beta", L"Alpha", L"alphabet", L"gamma", L"the beta file"};
    grid.SetVirtualRows(int(cells.column1.size()));
    grid.SetCurSel(0, 1);
    EXPECT_TRUE(grid.Find(L"alpha", kGridFindDown | kGridFindNext));
    EXPECT_EQ(grid.GetCurSel().row, 2);
    EXPECT_TRUE(grid.Find(L"alpha", kGridFindDown | kGridFindNext));
    EXPECT_EQ(grid.GetCurSel().row, 3);
    EXPECT_FALSE(grid.Find(L"alpha", kGridFindDown | kGridFindNext));  // no wrap to row 0
    EXPECT_EQ(grid.GetCurSel().row, 3);
    EXPECT_TRUE(grid.IsRowSelected(3));
    // Upwards, whole word with match case skips "Alpha" and stops at row 0.
    EXPECT_TRUE(grid.Find(L"alpha", kGridFindWholeWord | kGridFindMatchCase | kGridFindNext));
    EXPECT_EQ(grid.GetCurSel().row, 0);
    EXPECT_EQ(grid.GetSelectedRowCount(), 1);
    EXPECT_FALSE(grid.Find(L"alpha", kGridFindNext));
    EXPECT_TRUE(grid.Find(L"Alpha", kGridFindDown | kGridFindMatchCase | kGridFindNext));
    EXPECT_EQ(grid.GetCurSel().row, 2);
    EXPECT_TRUE(grid.Find(L"BETA", kGridFindDown | kGridFindWholeWord | kGridFindNext));
    EXPECT_EQ(grid.GetCurSel().row, 5);
    EXPECT_EQ(grid.GetCurSel().column, 1);
}

TEST_F(GridCtrl, FindDialogOpensAndItsChoicesReachFind) {
    cells.column1 = {L"one", L"beta", L"Beta", L"beta"};
    grid.SetVirtualRows(4);
    grid.SetCurSel(3, 1);
    EXPECT_FALSE(grid.OpenFindReplaceDlg(FALSE));
    ASSERT_TRUE(grid.OpenFindReplaceDlg(TRUE));
    HWND dialog = grid.GetFindReplaceDlg();
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(grid.OpenFindReplaceDlg(TRUE));  // a second call keeps the one dialog
    EXPECT_EQ(grid.GetFindReplaceDlg(), dialog);

    const int kText = 0x480, kWholeWord = 0x410, kMatchCase = 0x411, kUp = 0x420, kDown = 0x421;
    SetDlgItemTextW(dialog, kText, L"Beta");
    Click(GetDlgItem(dialog, kWholeWord));
    Click(GetDlgItem(dialog, kMatchCase));
    Click(GetDlgItem(dialog, kUp));
    Click(GetDlgItem(dialog, IDOK));
    ASSERT_EQ(grid.finds.size(), 1u);
    EXPECT_EQ(grid.finds[0].text, L"Beta");
    EXPECT_EQ(grid.finds[0].flags, kGridFindNext | kGridFindWholeWord | kGridFindMatchCase);
    EXPECT_EQ(grid.GetCurSel().row, 2);

    Click(GetDlgItem(dialog, kMatchCase));
    Click(GetDlgItem(dialog, kWholeWord));
    Click(GetDlgItem(dialog, kDown));
    Click(GetDlgItem(dialog, IDOK));
    ASSERT_EQ(grid.finds.size(), 2u);
    EXPECT_EQ(grid.finds[1].flags, kGridFindNext | kGridFindDown);
    EXPECT_EQ(grid.GetCurSel().row, 3);

    Click(GetDlgItem(dialog, IDCANCEL));
    Drain();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(grid.GetFindReplaceDlg(), nullptr);

    // A grid that goes takes its open dialog with it.
    ASSERT_TRUE(grid.OpenFindReplaceDlg(TRUE));
    dialog = grid.GetFindReplaceDlg();
    grid.DestroyWindow();
    EXPECT_FALSE(IsWindow(dialog));
}
