#include "widgets/GridFind.h"

namespace {

bool IsWordChar(WCHAR ch) {
    if (ch < 0x80) return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_';
    // General punctuation, CJK punctuation and full-width ASCII punctuation separate words too.
    if (ch == 0x00A0 || (ch >= 0x2000 && ch <= 0x206F) || (ch >= 0x3000 && ch <= 0x303F)) return false;
    if ((ch >= 0xFF01 && ch <= 0xFF0F) || (ch >= 0xFF1A && ch <= 0xFF20)) return false;
    return true;
}

bool SameAt(const CString& cell, int at, const CString& text, bool matchCase) {
    for (int i = 0; i < text.GetLength(); ++i) {
        WCHAR a = cell[at + i], b = text[i];
        if (!matchCase) {
            a = QorToUpper(a);
            b = QorToUpper(b);
        }
        if (a != b) return false;
    }
    return true;
}

}  // namespace

bool GridTextMatches(const CString& cell, const CString& text, DWORD flags) {
    const int length = text.GetLength();
    if (length == 0) return false;
    const bool matchCase = (flags & kGridFindMatchCase) != 0;
    const bool wholeWord = (flags & kGridFindWholeWord) != 0;
    for (int at = 0; at + length <= cell.GetLength(); ++at) {
        if (!SameAt(cell, at, text, matchCase)) continue;
        if (!wholeWord) return true;
        const bool startsWord = at == 0 || !IsWordChar(cell[at - 1]);
        const bool endsWord = at + length == cell.GetLength() || !IsWordChar(cell[at + length]);
        if (startsWord && endsWord) return true;
    }
    return false;
}

int GridFindRow(int start, int rowCount, const CString& text, DWORD flags,
                const std::function<CString(int row)>& textOf) {
    if (start < 0 || start >= rowCount) return -1;
    const int step = (flags & kGridFindDown) ? 1 : -1;
    for (int row = start; row >= 0 && row < rowCount; row += step) {
        if (GridTextMatches(textOf(row), text, flags)) return row;
    }
    return -1;
}
