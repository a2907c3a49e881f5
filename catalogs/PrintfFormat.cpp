#include "catalogs/PrintfFormat.h"

namespace {

// Argument kinds; a type code is kind * 16 + integer size.
enum Kind { kSigned = 1, kUnsigned, kDouble, kLongDouble, kChar, kWideChar, kString, kWideString, kPointer };
enum Size { kNone, kChar8, kShort, kLong, kLongLong, kIntMax, kSizeT, kPtrDiff };

constexpr int kMaxArgumentNumber = 100;  // more is no plausible format
constexpr int kStarType = kSigned * 16 + kNone;

class Parser {
public:
    explicit Parser(const CString& text) : m_text(text), m_length(text.GetLength()) {}

    CPrintfFormat Run() {
        CPrintfFormat result;
        while (m_pos < m_length) {
            if (m_text[m_pos++] != '%') continue;
            if (!Directive()) return result;
        }
        if (m_numbered && m_unnumbered) return result;
        if (m_numbered) {
            for (int type : m_byNumber)
                if (type == 0) return result;  // an argument is left out
            result.arguments = m_byNumber;
        } else {
            result.arguments = m_inOrder;
        }
        result.valid = true;
        return result;
    }

private:
    WCHAR Peek(int ahead = 0) const { return m_pos + ahead < m_length ? m_text[m_pos + ahead] : WCHAR(0); }
    static bool IsDigit(WCHAR ch) { return ch >= '0' && ch <= '9'; }

    // A decimal number at the position followed by '$': its value, or 0 (and
    // nothing consumed) when there is none.
    int ArgumentNumber() {
        int at = m_pos, value = 0;
        while (at < m_length && IsDigit(m_text[at])) {
            value = value * 10 + (m_text[at] - '0');
            if (value > kMaxArgumentNumber) return -1;
            ++at;
        }
        if (at == m_pos || at >= m_length || m_text[at] != '$' || value == 0) return 0;
        m_pos = at + 1;
        return value;
    }

    void SkipDigits() {
        while (IsDigit(Peek())) ++m_pos;
    }

    bool Take(int number, int type) {
        if (number > 0) {
            m_numbered = true;
            if (int(m_byNumber.size()) < number) m_byNumber.resize(std::size_t(number), 0);
            int& slot = m_byNumber[std::size_t(number - 1)];
            if (slot != 0 && slot != type) return false;
            slot = type;
        } else {
            m_unnumbered = true;
            m_inOrder.push_back(type);
        }
        return true;
    }

    // A '*' width or precision: an int argument, numbered when the value is.
    bool Star(bool numbered) {
        ++m_pos;
        const int number = ArgumentNumber();
        if (number < 0 || (number > 0) != numbered) return false;
        return Take(number, kStarType);
    }

    // After the '%'.
    bool Directive() {
        if (Peek() == '%') {
            ++m_pos;
            return true;
        }
        const int number = ArgumentNumber();
        if (number < 0) return false;
        const bool numbered = number > 0;
        for (;;) {
            const WCHAR ch = Peek();
            if (ch == 'I' && IsDigit(Peek(1))) return false;  // MSVC's I64 and I32 sizes
            if (ch != '-' && ch != '+' && ch != '#' && ch != '0' && ch != '\'' && ch != 'I') break;
            ++m_pos;
        }
        if (Peek() == '*') {
            if (!Star(numbered)) return false;
        } else {
            SkipDigits();
        }
        if (Peek() == '.') {
            ++m_pos;
            if (Peek() == '*') {
                if (!Star(numbered)) return false;
            } else {
                SkipDigits();
            }
        }
        int size = kNone;
        bool longDouble = false;
        switch (Peek()) {
        case 'h':
            ++m_pos;
            size = Peek() == 'h' ? (++m_pos, kChar8) : kShort;
            break;
        case 'l':
            ++m_pos;
            size = Peek() == 'l' ? (++m_pos, kLongLong) : kLong;
            break;
        case 'L':
        case 'q':
            ++m_pos;
            size = kLongLong;
            longDouble = true;
            break;
        case 'j': ++m_pos; size = kIntMax; break;
        case 'z':
        case 'Z': ++m_pos; size = kSizeT; break;
        case 't': ++m_pos; size = kPtrDiff; break;
        default: break;
        }
        const WCHAR conversion = Peek();
        ++m_pos;
        int type = 0;
        switch (conversion) {
        case 'd':
        case 'i': type = kSigned * 16 + size; break;
        case 'o':
        case 'u':
        case 'x':
        case 'X': type = kUnsigned * 16 + size; break;
        case 'e': case 'E': case 'f': case 'F': case 'g': case 'G': case 'a': case 'A':
            if (size == kNone || size == kShort || size == kLong) type = kDouble * 16;
            else if (size == kLongLong) type = kLongDouble * 16;
            break;
        case 'c':
            if (size == kNone || size == kShort) type = kChar * 16;
            else if (size == kLong) type = kWideChar * 16;
            break;
        case 's':
            if (size == kNone || size == kShort) type = kString * 16;
            else if (size == kLong || (size == kLongLong && !longDouble)) type = kWideString * 16;
            break;
        case 'C': if (size == kNone) type = kWideChar * 16; break;
        case 'S': if (size == kNone) type = kWideString * 16; break;
        case 'p': if (size == kNone) type = kPointer * 16; break;
        default: break;
        }
        return type != 0 && Take(number, type);
    }

    const CString& m_text;
    const int m_length;
    int m_pos = 0;
    bool m_numbered = false;
    bool m_unnumbered = false;
    std::vector<int> m_byNumber;  // 0 where no directive names the number
    std::vector<int> m_inOrder;
};

}  // namespace

CPrintfFormat QorParsePrintfFormat(const CString& text) { return Parser(text).Run(); }

bool QorIsPrintfFormat(const CString& text) {
    const CPrintfFormat format = QorParsePrintfFormat(text);
    return format.valid && !format.arguments.empty();
}

bool QorSamePrintfArguments(const CString& original, const CString& translation) {
    const CPrintfFormat want = QorParsePrintfFormat(original);
    const CPrintfFormat have = QorParsePrintfFormat(translation);
    return want.valid && have.valid && want.arguments == have.arguments;
}
