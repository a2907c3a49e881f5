// The grid's rules without windows: layout and hit testing with frozen
// columns, the row selection and keyboard moves, and the find rules.
#include <gtest/gtest.h>

#include <vector>

#include "widgets/GridFind.h"
#include "widgets/GridGeometry.h"
#include "widgets/GridSelection.h"

namespace {

// 30 px row numbers, a 20 px header, 10 px rows, columns 100/50 frozen and
// 80/80/80 scrolled, in a 300 × 120 client area: 10 rows fit whole.
GridGeometry Layout(int rows = 1000) {
    GridGeometry g;
    g.SetClientSize(300, 120);
    g.SetRowHeight(10);
    g.SetHeaderHeight(20);
    g.SetRowHeaderWidth(30);
    for (int width : {100, 50, 80, 80, 80}) g.InsertColumn(-1, width);
    g.SetFrozenColumns(2);
    g.SetRowCount(rows);
    return g;
}

std::vector<int> Shown(const GridGeometry& g) {
    std::vector<int> columns;
    for (const GridVisibleColumn& c : g.GetVisibleColumns()) columns.push_back(c.column);
    return columns;
}

GridSelectionChange Change(int first, int last, bool selected) {
    return GridSelectionChange{GridRowRange{first, last}, selected};
}

}  // namespace

TEST(GridGeometry, FrozenColumnsStayWhileTheOthersScrollUnderTheirEdge) {
    GridGeometry g = Layout();
    EXPECT_EQ(g.GetScrollAreaLeft(), 180);
    EXPECT_EQ(g.GetMaxScrollX(), 240 - 120);
    EXPECT_EQ(Shown(g), (std::vector<int>{0, 1, 2, 3}));

    g.SetScrollX(90);  // column 2 gone, column 3 cut by the frozen edge
    EXPECT_EQ(g.GetCellRect(0, 0).left, 30);
    EXPECT_EQ(g.GetCellRect(0, 1).left, 130);
    EXPECT_EQ(Shown(g), (std::vector<int>{0, 1, 3, 4}));
    const GridVisibleColumn cut = g.GetVisibleColumns()[2];
    EXPECT_EQ(cut.left, 170);
    EXPECT_EQ(cut.clipLeft, 180);
    // The frozen band hides what scrolled under it, for the mouse too.
    EXPECT_EQ(g.HitTest(175, 50).column, 1);
    EXPECT_EQ(g.HitTest(185, 50).column, 3);

    g.SetScrollX(100000);
    EXPECT_EQ(g.GetScrollX(), 120);
    // All columns frozen: nothing scrolls at all.
    g.SetFrozenColumns(9);
    EXPECT_EQ(g.GetFrozenColumns(), 5);
    EXPECT_EQ(g.GetMaxScrollX(), 0);
    EXPECT_EQ(g.GetScrollX(), 0);
}

TEST(GridGeometry, RowsOnViewAreArithmeticForAMillionRows) {
    GridGeometry g = Layout(1000000);
    EXPECT_EQ(g.GetPageRows(), 10);
    EXPECT_EQ(g.GetMaxTopRow(), 999990);
    g.SetTopRow(2000000000);
    EXPECT_EQ(g.GetTopRow(), 999990);
    EXPECT_EQ(g.GetLastVisibleRow(), 999999);
    EXPECT_EQ(g.GetCellRect(999999, 0).top, 20 + 9 * 10);
    EXPECT_EQ(g.HitTest(50, 20 + 9 * 10 + 5).row, 999999);

    // A half row at the bottom counts as shown but not as a whole one.
    g.SetClientSize(300, 125);
    g.SetTopRow(0);
    EXPECT_EQ(g.GetPageRows(), 10);
    EXPECT_EQ(g.GetVisibleRowSlots(), 11);
    EXPECT_EQ(g.GetLastVisibleRow(), 10);

    // Fewer rows than fit: no scrolling, the empty part hits no row.
    GridGeometry few = Layout(3);
    few.SetTopRow(5);
    EXPECT_EQ(few.GetTopRow(), 0);
    EXPECT_EQ(few.GetLastVisibleRow(), 2);
    EXPECT_EQ(few.HitTest(50, 20 + 3 * 10 + 1).area, GridHitArea::None);
    EXPECT_EQ(Layout(0).GetLastVisibleRow(), -1);
}

TEST(GridGeometry, HitTestingNamesHeaderCornerDividerRowNumberAndCell) {
    GridGeometry g = Layout();
    EXPECT_EQ(g.HitTest(10, 5).area, GridHitArea::Corner);
    GridHit hit = g.HitTest(60, 5);
    EXPECT_EQ(hit.area, GridHitArea::ColumnHeader);
    EXPECT_EQ(hit.column, 0);
    // Within three pixels of a column's right edge the header resizes that column.
    hit = g.HitTest(128, 5);
    EXPECT_EQ(hit.area, GridHitArea::ColumnDivider);
    EXPECT_EQ(hit.column, 0);
    EXPECT_EQ(g.HitTest(133, 5).column, 0);
    EXPECT_EQ(g.HitTest(134, 5).area, GridHitArea::ColumnHeader);
    hit = g.HitTest(10, 45);
    EXPECT_EQ(hit.area, GridHitArea::RowHeader);
    EXPECT_EQ(hit.row, 2);
    g.SetTopRow(500);
    hit = g.HitTest(200, 45);
    EXPECT_EQ(hit.area, GridHitArea::Cell);
    EXPECT_EQ(hit.row, 502);
    EXPECT_EQ(hit.column, 2);
    EXPECT_EQ(g.HitTest(300, 45).area, GridHitArea::None);

    // Resizing moves every later column, never below the minimum width.
    g.SetColumnWidth(0, 120);
    EXPECT_EQ(g.GetScrollAreaLeft(), 200);
    EXPECT_EQ(g.GetCellRect(0, 2).left, 200);
    g.SetColumnWidth(0, -5);
    EXPECT_EQ(g.GetColumnWidth(0), GridGeometry::kMinColumnWidth);
}

TEST(GridGeometry, EnsureVisibleScrollsOnlyAsFarAsNeeded) {
    GridGeometry g = Layout();
    EXPECT_FALSE(g.EnsureRowVisible(9));
    EXPECT_TRUE(g.EnsureRowVisible(10));
    EXPECT_EQ(g.GetTopRow(), 1);
    EXPECT_TRUE(g.EnsureRowVisible(999));
    EXPECT_EQ(g.GetTopRow(), 990);
    EXPECT_TRUE(g.EnsureRowVisible(3));
    EXPECT_EQ(g.GetTopRow(), 3);
    EXPECT_FALSE(g.EnsureRowVisible(1000));

    EXPECT_TRUE(g.EnsureColumnVisible(4));  // offset 160..240 in a 120 px band
    EXPECT_EQ(g.GetScrollX(), 120);
    EXPECT_FALSE(g.EnsureColumnVisible(0));  // frozen: always on view
    EXPECT_TRUE(g.EnsureColumnVisible(2));
    EXPECT_EQ(g.GetScrollX(), 0);
    // A column wider than the band shows its left edge.
    g.SetColumnWidth(3, 500);
    EXPECT_TRUE(g.EnsureColumnVisible(3));
    EXPECT_EQ(g.GetScrollX(), 80);
}

TEST(GridRanges, UnionDifferenceAndDiffKeepRangesSortedAndMerged) {
    std::vector<GridRowRange> r = GridRangesWith({}, {5, 7});
    r = GridRangesWith(r, {1, 2});
    r = GridRangesWith(r, {8, 9});  // touches 5..7
    EXPECT_EQ(r, (std::vector<GridRowRange>{{1, 2}, {5, 9}}));
    r = GridRangesWith(r, {0, 6});
    EXPECT_EQ(r, (std::vector<GridRowRange>{{0, 9}}));
    r = GridRangesWithout(r, {3, 4});
    EXPECT_EQ(r, (std::vector<GridRowRange>{{0, 2}, {5, 9}}));
    EXPECT_EQ(GridRangesWithout(r, {0, 100}), std::vector<GridRowRange>{});

    const GridSelectionChanges diff = GridRangesDiff({{0, 2}, {5, 9}}, {{1, 6}, {20, 20}});
    EXPECT_EQ(diff, (GridSelectionChanges{Change(0, 0, false), Change(7, 9, false), Change(3, 4, true),
                                          Change(20, 20, true)}));
    EXPECT_TRUE(GridRangesDiff({{1, 6}}, {{1, 6}}).empty());
}

TEST(GridSelection, ClickShiftClickAndCtrlClickAsInAList) {
    GridSelection s;
    s.SetRowCount(100);
    s.SetColumnCount(3);
    EXPECT_EQ(s.Click(10, 2, false, false), (GridSelectionChanges{Change(10, 10, true)}));
    EXPECT_EQ(s.GetCurrentRow(), 10);
    EXPECT_EQ(s.GetCurrentColumn(), 2);
    // Shift spans from the anchor, replacing the selection; a second Shift+click keeps the anchor.
    s.Click(14, 2, true, false);
    EXPECT_EQ(s.GetRanges(), (std::vector<GridRowRange>{{10, 14}}));
    EXPECT_EQ(s.Click(7, 2, true, false), (GridSelectionChanges{Change(11, 14, false), Change(7, 9, true)}));
    EXPECT_EQ(s.GetAnchorRow(), 10);
    // Ctrl toggles one row and moves the anchor there; Ctrl+Shift adds a span.
    EXPECT_EQ(s.Click(8, 2, false, true), (GridSelectionChanges{Change(8, 8, false)}));
    s.Click(50, 2, false, true);
    s.Click(52, 2, true, true);
    EXPECT_EQ(s.GetRanges(), (std::vector<GridRowRange>{{7, 7}, {9, 10}, {50, 52}}));
    EXPECT_EQ(s.GetSelectedCount(), 6);
    EXPECT_TRUE(s.IsSelected(51));
    EXPECT_FALSE(s.IsSelected(8));
    // A click on a row number keeps the current column.
    s.Click(60, -1, false, false);
    EXPECT_EQ(s.GetCurrentColumn(), 2);
    EXPECT_EQ(s.GetRanges(), (std::vector<GridRowRange>{{60, 60}}));
    EXPECT_TRUE(s.Click(100, 0, false, false).empty());
}

TEST(GridSelection, KeysMoveTheCurrentCellAndShiftExtends) {
    GridSelection s;
    s.SetRowCount(1000000);
    s.SetColumnCount(4);
    // The first key lands on the first cell.
    s.Navigate(GridKey::Down, 20, false, false);
    EXPECT_EQ(s.GetCurrentRow(), 0);
    EXPECT_EQ(s.GetCurrentColumn(), 0);
    s.Navigate(GridKey::PageDown, 20, false, false);
    s.Navigate(GridKey::Right, 20, false, false);
    EXPECT_EQ(s.GetCurrentRow(), 20);
    EXPECT_EQ(s.GetCurrentColumn(), 1);
    s.Navigate(GridKey::Down, 20, true, false);
    s.Navigate(GridKey::Down, 20, true, false);
    EXPECT_EQ(s.GetRanges(), (std::vector<GridRowRange>{{20, 22}}));
    s.Navigate(GridKey::PageUp, 20, true, false);
    EXPECT_EQ(s.GetRanges(), (std::vector<GridRowRange>{{2, 20}}));
    // Ctrl moves the current cell only.
    EXPECT_TRUE(s.Navigate(GridKey::Up, 20, false, true).empty());
    EXPECT_EQ(s.GetCurrentRow(), 1);
    EXPECT_EQ(s.GetRanges(), (std::vector<GridRowRange>{{2, 20}}));
    s.Navigate(GridKey::End, 20, false, false);
    EXPECT_EQ(s.GetRanges(), (std::vector<GridRowRange>{{999999, 999999}}));
    s.Navigate(GridKey::PageDown, 20, false, false);
    s.Navigate(GridKey::Right, 20, false, false);
    s.Navigate(GridKey::Right, 20, false, false);
    s.Navigate(GridKey::Right, 20, false, false);
    EXPECT_EQ(s.GetCurrentRow(), 999999);
    EXPECT_EQ(s.GetCurrentColumn(), 3);
    s.Navigate(GridKey::Home, 20, true, false);
    EXPECT_EQ(s.GetSelectedCount(), 1000000);

    // Select-all is one range; shrinking the rows drops what lies beyond.
    EXPECT_EQ(s.SelectAll(), GridSelectionChanges{});
    s.SetRowCount(10);
    EXPECT_EQ(s.GetRanges(), (std::vector<GridRowRange>{{0, 9}}));
    EXPECT_EQ(s.Clear(), (GridSelectionChanges{Change(0, 9, false)}));
    s.SetRowCount(0);
    EXPECT_EQ(s.GetCurrentRow(), -1);
    EXPECT_TRUE(s.Navigate(GridKey::Down, 20, false, false).empty());
}

TEST(GridFind, ContainsWholeWordAndCaseRules) {
    const CString cell(QSTR("Open the file_name, then Close"));
    EXPECT_TRUE(GridTextMatches(cell, QSTR("OPEN"), 0));
    EXPECT_FALSE(GridTextMatches(cell, QSTR("OPEN"), kGridFindMatchCase));
    EXPECT_TRUE(GridTextMatches(cell, QSTR("Open"), kGridFindMatchCase));
    EXPECT_TRUE(GridTextMatches(cell, QSTR("clo"), 0));
    EXPECT_FALSE(GridTextMatches(cell, QSTR("clo"), kGridFindWholeWord));
    EXPECT_TRUE(GridTextMatches(cell, QSTR("close"), kGridFindWholeWord));
    EXPECT_TRUE(GridTextMatches(cell, QSTR("the"), kGridFindWholeWord));
    // An underscore joins words; a later whole occurrence still counts.
    EXPECT_FALSE(GridTextMatches(cell, QSTR("file"), kGridFindWholeWord));
    EXPECT_TRUE(GridTextMatches(CString(QSTR("filename file")), QSTR("file"), kGridFindWholeWord));
    // Full-width punctuation separates Chinese words.
    EXPECT_TRUE(GridTextMatches(CString(QSTR("打开，关闭")), QSTR("关闭"), kGridFindWholeWord));
    EXPECT_FALSE(GridTextMatches(CString(QSTR("打开关闭")), QSTR("关闭"), kGridFindWholeWord));
    EXPECT_FALSE(GridTextMatches(cell, QSTR(""), 0));
    EXPECT_FALSE(GridTextMatches(CString(QSTR("ab")), QSTR("abc"), 0));
}

TEST(GridFind, SearchesFromTheStartRowInOneDirectionWithoutWrapping) {
    const std::vector<CString> rows = {QSTR("alpha"), QSTR("beta"), QSTR("Alpha"), QSTR("gamma"), QSTR("alphabet")};
    int asked = 0;
    auto textOf = [&](int row) {
        ++asked;
        return rows[std::size_t(row)];
    };
    const int n = int(rows.size());
    EXPECT_EQ(GridFindRow(0, n, QSTR("alpha"), kGridFindDown, textOf), 0);  // the start row counts
    EXPECT_EQ(GridFindRow(1, n, QSTR("alpha"), kGridFindDown, textOf), 2);
    EXPECT_EQ(GridFindRow(1, n, QSTR("alpha"), kGridFindDown | kGridFindMatchCase, textOf), 4);
    EXPECT_EQ(GridFindRow(3, n, QSTR("alpha"), kGridFindDown | kGridFindWholeWord, textOf), -1);
    EXPECT_EQ(GridFindRow(3, n, QSTR("alpha"), 0, textOf), 2);
    EXPECT_EQ(GridFindRow(1, n, QSTR("ALPHA"), kGridFindMatchCase, textOf), -1);
    asked = 0;
    EXPECT_EQ(GridFindRow(4, n, QSTR("gamma"), kGridFindDown, textOf), -1);  // no wrap to row 3
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(GridFindRow(n, n, QSTR("alpha"), 0, textOf), -1);
    EXPECT_EQ(GridFindRow(-1, n, QSTR("alpha"), kGridFindDown, textOf), -1);
}
