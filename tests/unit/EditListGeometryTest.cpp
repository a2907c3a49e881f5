// Rules of in-place editing in a report list: which column a click hits,
// where the editor goes and how far the list scrolls, the drop-down height,
// and which typed characters a column takes.
#include <gtest/gtest.h>

#include "widgets/EditListGeometry.h"

namespace {

// Three columns, 50, 80 and 30 wide, in index order; a row 20 pixels tall.
ListColumnLayout Columns(std::vector<int> order = {0, 1, 2}) { return ListColumnLayout{order, {50, 80, 30}}; }
const PixelRect kRow{0, 40, 160, 60};
const PixelRect kClient{0, 0, 120, 200};

}  // namespace

static void PrintTo(const PixelRect& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

TEST(EditListGeometry, ClickFindsTheFirstColumnWhoseSpanHoldsIt) {
    const ListColumnLayout columns = Columns();
    EXPECT_EQ(EditListColumnAt(columns, kRow, 0, 45), 0);
    EXPECT_EQ(EditListColumnAt(columns, kRow, 49, 45), 0);
    // Both ends of a span count: the shared edge belongs to the left column.
    EXPECT_EQ(EditListColumnAt(columns, kRow, 50, 45), 0);
    EXPECT_EQ(EditListColumnAt(columns, kRow, 51, 45), 1);
    EXPECT_EQ(EditListColumnAt(columns, kRow, 130, 45), 1);
    EXPECT_EQ(EditListColumnAt(columns, kRow, 131, 45), 2);
    EXPECT_EQ(EditListColumnAt(columns, kRow, 159, 45), 2);
    // A row scrolled left starts its walk at its own left edge.
    const PixelRect scrolled{-60, 40, 100, 60};
    EXPECT_EQ(EditListColumnAt(columns, scrolled, 0, 45), 1);
    EXPECT_EQ(EditListColumnAt(columns, scrolled, 75, 45), 2);
}

TEST(EditListGeometry, ClickOutsideTheRowOrPastTheColumns) {
    const ListColumnLayout columns = Columns();
    // Outside the row's bounds: column 0, wherever x is.
    EXPECT_EQ(EditListColumnAt(columns, kRow, 140, 39), 0);
    EXPECT_EQ(EditListColumnAt(columns, kRow, 140, 60), 0);
    EXPECT_EQ(EditListColumnAt(columns, kRow, -1, 45), 0);
    // Inside a row wider than its columns but past them: the column count.
    EXPECT_EQ(EditListColumnAt(columns, PixelRect{0, 40, 300, 60}, 200, 45), 3);
    EXPECT_EQ(EditListColumnAt(ListColumnLayout{}, kRow, 10, 45), 0);
}

TEST(EditListGeometry, ReorderedColumnsAreWalkedAsShown) {
    // Shown as 2, 0, 1: column 2 first (30 wide), then 0 (50), then 1 (80).
    const ListColumnLayout columns = Columns({2, 0, 1});
    EXPECT_EQ(EditListColumnAt(columns, kRow, 10, 45), 2);
    EXPECT_EQ(EditListColumnAt(columns, kRow, 40, 45), 0);
    EXPECT_EQ(EditListColumnAt(columns, kRow, 100, 45), 1);
    EXPECT_EQ(EditListCellRect(columns, 0, kRow, PixelRect{0, 0, 300, 200}).cell, (PixelRect{30, 40, 80, 60}));
    // An order that is not a permutation falls back to index order.
    EXPECT_EQ(EditListColumnAt(Columns({0, 0, 1}), kRow, 60, 45), 1);
    EXPECT_EQ(EditListColumnAt(Columns({0, 1}), kRow, 60, 45), 1);
}

TEST(EditListGeometry, CellInsideTheClientAreaNeedsNoScroll) {
    const ListColumnLayout columns = Columns();
    const EditListCellPlacement first = EditListCellRect(columns, 0, kRow, kClient);
    EXPECT_EQ(first.scrollDx, 0);
    EXPECT_EQ(first.cell, (PixelRect{0, 40, 50, 60}));
    // The cell reaching exactly to the client's right edge still fits.
    const EditListCellPlacement exact = EditListCellRect(columns, 1, kRow, PixelRect{0, 0, 130, 200});
    EXPECT_EQ(exact.scrollDx, 0);
    EXPECT_EQ(exact.cell, (PixelRect{50, 40, 130, 60}));
}

TEST(EditListGeometry, CellPastTheRightEdgeScrollsUntilItEndsThere) {
    const ListColumnLayout columns = Columns();
    // Column 1 spans 50-130 in a client 120 wide: scroll by 10.
    const EditListCellPlacement second = EditListCellRect(columns, 1, kRow, kClient);
    EXPECT_EQ(second.scrollDx, 10);
    EXPECT_EQ(second.cell, (PixelRect{40, 40, 120, 60}));
    // Column 2 starts at 130, beyond the right edge: scrolled to the left edge.
    const EditListCellPlacement third = EditListCellRect(columns, 2, kRow, kClient);
    EXPECT_EQ(third.scrollDx, 130);
    EXPECT_EQ(third.cell, (PixelRect{0, 40, 30, 60}));
}

TEST(EditListGeometry, CellLeftOfTheClientAreaScrollsBack) {
    const ListColumnLayout columns = Columns();
    const PixelRect scrolled{-70, 40, 90, 60};  // the list is scrolled 70 to the right
    const EditListCellPlacement first = EditListCellRect(columns, 0, scrolled, kClient);
    EXPECT_EQ(first.scrollDx, -70);
    EXPECT_EQ(first.cell, (PixelRect{0, 40, 50, 60}));
    // Column 1 starts at -20: back by 20.
    EXPECT_EQ(EditListCellRect(columns, 1, scrolled, kClient).scrollDx, -20);
}

TEST(EditListGeometry, CellWiderThanTheClientAreaKeepsItsStartInView) {
    const ListColumnLayout columns{{0, 1}, {40, 300}};
    const EditListCellPlacement wide = EditListCellRect(columns, 1, PixelRect{0, 40, 340, 60}, kClient);
    EXPECT_EQ(wide.scrollDx, 40);
    EXPECT_EQ(wide.cell, (PixelRect{0, 40, 300, 60}));
}

TEST(EditListGeometry, DropDownSpansTenMoreRowsThanItsChoicesUpToEleven) {
    EXPECT_EQ(EditListDropDownRows(0), 10);
    EXPECT_EQ(EditListDropDownRows(3), 13);
    EXPECT_EQ(EditListDropDownRows(9), 19);
    EXPECT_EQ(EditListDropDownRows(10), 11);
    EXPECT_EQ(EditListDropDownRows(12), 11);
    // Below the cell: a 20-pixel cell with 3 choices reaches 13 rows further.
    EXPECT_EQ(EditListDropDownRect(PixelRect{50, 40, 130, 60}, 3), (PixelRect{50, 40, 130, 60 + 13 * 20}));
    EXPECT_EQ(EditListDropDownRect(PixelRect{50, 40, 130, 60}, 12), (PixelRect{50, 40, 130, 60 + 11 * 20}));
}

TEST(EditListGeometry, ValidCharactersRestrictTypingButNotClipboardKeys) {
    const CString digits(QSTR("0123456789"));
    EXPECT_TRUE(EditListCharAllowed(digits, WCHAR(u'7')));
    EXPECT_FALSE(EditListCharAllowed(digits, WCHAR(u'a')));
    EXPECT_FALSE(EditListCharAllowed(digits, WCHAR(u' ')));
    EXPECT_FALSE(EditListCharAllowed(digits, WCHAR(u'٣')));
    for (WCHAR control : {WCHAR(3), WCHAR(8), WCHAR(22), WCHAR(24)})
        EXPECT_TRUE(EditListCharAllowed(digits, control)) << int(control);
    EXPECT_FALSE(EditListCharAllowed(digits, WCHAR(1)));  // Ctrl+A is not among them
    // No restriction: everything passes.
    EXPECT_TRUE(EditListCharAllowed(CString(), WCHAR(u'字')));
    EXPECT_TRUE(EditListCharAllowed(CString(), WCHAR(1)));
}

TEST(EditListGeometry, PastedTextKeepsOnlyValidCharacters) {
    EXPECT_EQ(EditListFilterText(CString(QSTR("0123456789ABCDEF")), CString(QSTR("0x1F-zz 9"))), CString(QSTR("01F9")));
    EXPECT_EQ(EditListFilterText(CString(QSTR("01")), CString(QSTR("abc"))), CString());
    EXPECT_EQ(EditListFilterText(CString(), CString(QSTR("any text 字"))), CString(QSTR("any text 字")));
}
