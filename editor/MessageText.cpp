#include "editor/MessageText.h"

namespace {
// The length of an insertion point starting at text[at] (after the '%'), or 0.
int InsertionLength(const CString& text, int at) {
    if (at >= text.GetLength()) return 0;
    const WCHAR c = text[at];
    if (c == 's' || c == 'd' || c == 'u' || c == '1') return 1;
    if (c == 'l' && at + 1 < text.GetLength() && (text[at + 1] == 'd' || text[at + 1] == 'u')) return 2;
    return 0;
}
}  // namespace

CString InsertIntoMessage(const CString& message, const CString& value) {
    CString result;
    for (int i = 0; i < message.GetLength(); ++i) {
        if (message[i] != '%') {
            result += message[i];
            continue;
        }
        if (i + 1 < message.GetLength() && message[i + 1] == '%') {
            result += WCHAR('%');
            ++i;
        } else if (const int length = InsertionLength(message, i + 1)) {
            result += value;
            i += length;
        } else {
            result += message[i];
        }
    }
    return result;
}
