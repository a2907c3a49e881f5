#include "widgets/EditListGeometry.h"

namespace {

bool Contains(const PixelRect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

int WidthOf(const ListColumnLayout& columns, int column) {
    return column >= 0 && column < columns.Count() ? columns.widths[std::size_t(column)] : 0;
}

// Display order, falling back to index order when the order is not a full
// permutation (a list that did not report one).
std::vector<int> DisplayOrder(const ListColumnLayout& columns) {
    std::vector<int> order = columns.order;
    std::vector<bool> seen(std::size_t(columns.Count()), false);
    bool complete = int(order.size()) == columns.Count();
    for (int column : order) {
        if (column < 0 || column >= columns.Count() || seen[std::size_t(column)]) {
            complete = false;
            break;
        }
        seen[std::size_t(column)] = true;
    }
    if (!complete) {
        order.clear();
        for (int i = 0; i < columns.Count(); ++i) order.push_back(i);
    }
    return order;
}

}  // namespace

int EditListColumnAt(const ListColumnLayout& columns, const PixelRect& rowBounds, int x, int y) {
    if (!Contains(rowBounds, x, y) || columns.Count() == 0) return 0;
    int start = rowBounds.left;
    for (int column : DisplayOrder(columns)) {
        const int width = WidthOf(columns, column);
        if (x >= start && x <= start + width) return column;
        start += width;
    }
    return columns.Count();
}

EditListCellPlacement EditListCellRect(const ListColumnLayout& columns, int column, const PixelRect& rowBounds,
                                       const PixelRect& client) {
    PixelRect row = rowBounds;
    if (row.right > client.right) row.right = client.right;
    const int width = WidthOf(columns, column);
    int offset = 0;
    for (int shown : DisplayOrder(columns)) {
        if (shown == column) break;
        offset += WidthOf(columns, shown);
    }
    const int x = row.left + offset;
    int dx = 0;
    if (x < client.left || x > client.right)
        dx = x - client.left;
    else if (x + width > client.right)
        dx = width > client.Width() ? x - client.left : x + width - client.right;

    EditListCellPlacement placement;
    placement.scrollDx = dx;
    placement.cell = PixelRect{x - dx, row.top, x - dx + width, row.bottom};
    return placement;
}

int EditListDropDownRows(int choices) { return choices < 10 ? choices + 10 : 11; }

PixelRect EditListDropDownRect(const PixelRect& cell, int choices) {
    PixelRect rect = cell;
    rect.bottom += EditListDropDownRows(choices) * cell.Height();
    return rect;
}

bool EditListCharAllowed(const CString& valid, WCHAR ch) {
    if (ch == 3 || ch == 8 || ch == 22 || ch == 24) return true;
    return valid.IsEmpty() || valid.Find(ch) >= 0;
}

CString EditListFilterText(const CString& valid, const CString& text) {
    if (valid.IsEmpty()) return text;
    CString kept;
    for (int i = 0; i < text.GetLength(); ++i)
        if (valid.Find(text[i]) >= 0) kept += text[i];
    return kept;
}
