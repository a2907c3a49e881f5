#include "sheets/OoxmlText.h"

#include "base/Utf.h"

namespace {

bool IsHex(WCHAR ch) { return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f'); }
int HexValue(WCHAR ch) { return ch <= '9' ? ch - '0' : (ch | 0x20) - 'a' + 10; }

// "_xHHHH_" at text[i]?
bool IsEscapeAt(const WCHAR* text, int length, int i) {
    if (i + 7 > length || text[i] != '_' || text[i + 1] != 'x' || text[i + 6] != '_') return false;
    return IsHex(text[i + 2]) && IsHex(text[i + 3]) && IsHex(text[i + 4]) && IsHex(text[i + 5]);
}

void AppendEscape(std::string& out, unsigned unit) {
    static const char kHex[] = "0123456789ABCDEF";
    out += "_x";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
    out += '_';
}


}  // namespace

void QorAppendCellXml(std::string& out, const WCHAR* text, int length) {
    if (length > kQorMaxCellText) {
        length = kQorMaxCellText;
        if (text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF) --length;  // keep pairs whole
    }
    for (int i = 0; i < length; ++i) {
        const WCHAR ch = text[i];
        if (ch >= 0x20 && ch < 0x80) {
            switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '_':
                if (IsEscapeAt(text, length, i)) out += "_x005F";
                out += '_';
                break;
            default: out += char(ch);
            }
        } else if (ch == '\t' || ch == '\n') {
            out += char(ch);
        } else if (ch < 0x20 || ch == 0xFFFE || ch == 0xFFFF) {
            AppendEscape(out, ch);
        } else if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((std::uint32_t(ch) - 0xD800) << 10) + (std::uint32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else if (ch >= 0xD800 && ch <= 0xDFFF) {
            AppendEscape(out, ch);
        } else {
            AppendUtf8(out, ch);
        }
    }
}

CString QorDecodeCellEscapes(const CString& text) {
    const WCHAR* p = text.GetString();
    const int length = text.GetLength();
    if (text.Find(QSTR("_x")) < 0) return text;
    CString out;
    int runStart = 0;
    for (int i = 0; i < length;) {
        if (IsEscapeAt(p, length, i)) {
            out.Append(p + runStart, i - runStart);
            out += WCHAR((HexValue(p[i + 2]) << 12) | (HexValue(p[i + 3]) << 8) | (HexValue(p[i + 4]) << 4) |
                         HexValue(p[i + 5]));
            i += 7;
            runStart = i;
        } else {
            ++i;
        }
    }
    out.Append(p + runStart, length - runStart);
    return out;
}
