#include "checks/UiTextTokens.h"

#include <cstdint>

#include <cstring>

namespace {

bool IsDigit(WCHAR ch) { return ch >= '0' && ch <= '9'; }

bool IsConversion(WCHAR ch) { return ch < 0x80 && ch && std::strchr("diouxXfFeEgGaAcCsSpn", char(ch)); }

bool IsFlag(WCHAR ch) {
    // No space flag: "50% of" is prose far more often than "% o" is a conversion.
    return ch == '-' || ch == '+' || ch == '#' || ch == '0';
}

// The length modifiers of C and of the Microsoft runtime, longest first.
const char* const kLengthModifiers[] = {"I64", "I32", "hh", "ll", "h", "l", "L", "I", "z", "j", "t", "w", "q"};

bool StartsWith(const WCHAR* text, int length, const char* ascii) {
    int i = 0;
    for (; ascii[i]; ++i)
        if (i >= length || text[i] != WCHAR(ascii[i])) return false;
    return true;
}

int LengthModifier(const WCHAR* text, int length) {
    for (const char* modifier : kLengthModifiers)
        if (StartsWith(text, length, modifier)) return int(std::strlen(modifier));
    return 0;
}

// Length of the conversion text[0..] when text[0] introduces one ('%' or the
// '!' of an insert's format); 0 when what follows is no conversion.
int PrintfLength(const WCHAR* text, int length) {
    int i = 1;
    while (i < length && IsFlag(text[i])) ++i;
    if (i < length && text[i] == '*') ++i;
    else
        while (i < length && IsDigit(text[i])) ++i;
    if (i < length && text[i] == '.') {
        ++i;
        if (i < length && text[i] == '*') ++i;
        else
            while (i < length && IsDigit(text[i])) ++i;
    }
    i += LengthModifier(text + i, length - i);
    return i < length && IsConversion(text[i]) ? i + 1 : 0;
}

// %N or %NN, with an optional !format!, at text[0] == '%'; 0 when none.
int PercentInsertLength(const WCHAR* text, int length) {
    if (length < 2 || text[1] < '1' || text[1] > '9') return 0;
    int i = 2;
    if (i < length && IsDigit(text[i])) ++i;
    if (i < length && text[i] == '!') {
        int format = PrintfLength(text + i, length - i);
        if (format && i + format < length && text[i + format] == '!') return i + format + 1;
    }
    return i;
}

// {N}, {N,width}, {N:format}, {N,width:format} at text[0] == '{'; 0 when none.
int BraceInsertLength(const WCHAR* text, int length) {
    int i = 1;
    while (i < length && IsDigit(text[i])) ++i;
    if (i == 1) return 0;
    if (i < length && text[i] == ',') {
        ++i;
        if (i < length && text[i] == '-') ++i;
        int digits = i;
        while (i < length && IsDigit(text[i])) ++i;
        if (i == digits) return 0;
    }
    if (i < length && text[i] == ':')
        while (i < length && text[i] != '}' && text[i] != '{') ++i;
    return i < length && text[i] == '}' ? i + 1 : 0;
}

bool IsHighSurrogate(WCHAR ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool IsLowSurrogate(WCHAR ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

// The host writes its menus' key names in English; a text after a tab that
// reads like one is a shortcut, anything else (a second column) is prose.
bool LooksLikeShortcut(const WCHAR* text, int length) {
    if (length == 0 || length > 32 || text[0] == ' ') return false;
    for (int i = 0; i < length; ++i)
        if (text[i] < 0x20 || text[i] > 0x7E) return false;
    for (int i = 1; i < length; ++i)
        if (text[i] == '+') return true;  // Ctrl+O, Shift+F10, Ctrl++
    if (text[0] == 'F' && length >= 2 && length <= 3) {
        bool digits = true;
        for (int i = 1; i < length; ++i) digits = digits && IsDigit(text[i]);
        if (digits) return true;
    }
    static const char* const keys[] = {"Del", "Delete", "Ins", "Insert", "Esc", "Enter", "Home", "End",
                                       "PgUp", "PgDn", "Backspace", "Space", "Pause", "Break"};
    for (const char* key : keys)
        if (int(std::strlen(key)) == length && StartsWith(text, length, key)) return true;
    return false;
}

void Push(std::vector<CUiToken>& tokens, UiTokenKind kind, int start, int length) {
    if (kind == UiTokenKind::Text && !tokens.empty() && tokens.back().kind == UiTokenKind::Text) {
        tokens.back().length += length;
        return;
    }
    tokens.push_back({kind, start, length});
}

}  // namespace

bool QorIsUiWhiteSpace(WCHAR ch) {
    return ch == ' ' || (ch >= 0x09 && ch <= 0x0D) || ch == 0x00A0 || ch == 0x1680 || (ch >= 0x2000 && ch <= 0x200A) ||
           ch == 0x2028 || ch == 0x2029 || ch == 0x202F || ch == 0x205F || ch == 0x3000;
}

std::vector<CUiToken> QorTokenizeUiText(const CString& string) {
    const WCHAR* text = string.GetString();
    const int length = string.GetLength();
    int end = length;
    int shortcut = -1;
    int tab = string.Find(WCHAR('\t'));
    if (tab >= 0 && LooksLikeShortcut(text + tab + 1, length - tab - 1)) {
        shortcut = tab + 1;
        end = shortcut;
    }

    std::vector<CUiToken> tokens;
    for (int i = 0; i < end;) {
        const WCHAR* at = text + i;
        const int rest = end - i;
        int size = 0;
        UiTokenKind kind = UiTokenKind::Text;
        if (at[0] == '%') {
            if (rest > 1 && at[1] == '%') {
                kind = UiTokenKind::PercentLiteral;
                size = 2;
            } else if ((size = PercentInsertLength(at, rest)) > 0 && (at[size - 1] == '!' || !PrintfLength(at, rest))) {
                // "%1!d!" is an insert; "%1d" reads as width 1 of a %d.
                kind = UiTokenKind::Insert;
            } else if ((size = PrintfLength(at, rest)) > 0) {
                kind = UiTokenKind::Printf;
            } else {
                size = 1;
            }
        } else if (at[0] == '{') {
            if (rest > 1 && at[1] == '{') size = 2;
            else if ((size = BraceInsertLength(at, rest)) > 0) kind = UiTokenKind::Insert;
            else size = 1;
        } else if (at[0] == '&') {
            if (rest > 1 && at[1] == '&') {
                kind = UiTokenKind::Ampersand;
                size = 2;
            } else if (rest == 1 || QorIsUiWhiteSpace(at[1])) {
                kind = UiTokenKind::StrayAmpersand;
                size = 1;
            } else {
                kind = UiTokenKind::Accelerator;
                size = rest > 2 && IsHighSurrogate(at[1]) && IsLowSurrogate(at[2]) ? 3 : 2;
            }
        } else {
            size = 1;
        }
        Push(tokens, kind, i, size);
        i += size;
    }
    if (shortcut >= 0) tokens.push_back({UiTokenKind::Shortcut, shortcut, length - shortcut});
    return tokens;
}

namespace {

bool IsWide(std::uint32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
           (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Shown characters, each weighed by columns or counted as one.
int Shown(const CString& string, bool columns) {
    const WCHAR* text = string.GetString();
    int shown = 0;
    for (const CUiToken& token : QorTokenizeUiText(string)) {
        if (token.kind == UiTokenKind::Ampersand) {
            ++shown;
            continue;
        }
        int i = token.start + (token.kind == UiTokenKind::Accelerator ? 1 : 0);
        for (const int end = token.start + token.length; i < end; ++i) {
            std::uint32_t c = text[i];
            if (IsHighSurrogate(text[i]) && i + 1 < end && IsLowSurrogate(text[i + 1])) {
                c = 0x10000 + ((c - 0xD800) << 10) + (std::uint32_t(text[i + 1]) - 0xDC00);
                ++i;
            }
            shown += columns && IsWide(c) ? 2 : 1;
        }
    }
    return shown;
}

}  // namespace

int QorShownLength(const CString& string) { return Shown(string, false); }

int QorShownWidth(const CString& string) { return Shown(string, true); }

std::string QorPrintfArgumentKey(const WCHAR* text, int length) {
    std::string key;
    int i = 1;
    while (i < length && IsFlag(text[i])) ++i;
    for (int part = 0; part < 2; ++part) {
        if (part == 1) {
            if (i >= length || text[i] != '.') break;
            ++i;
        }
        if (i < length && text[i] == '*') {
            key += "int,";
            ++i;
        }
        while (i < length && IsDigit(text[i])) ++i;
    }
    int modifier = LengthModifier(text + i, length - i);
    std::string size(text + i, text + i + modifier);
    if (size == "I64" || size == "q") size = "ll";
    else if (size == "I32") size.clear();
    else if (size == "w") size = "l";
    i += modifier;
    if (i >= length) return key + size + "?";
    switch (char(text[i])) {
    case 'd': case 'i': return key + size + "d";
    case 'o': case 'u': case 'x': case 'X': return key + size + "u";
    case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A': return key + size + "f";
    default: return key + size + char(text[i]);
    }
}
