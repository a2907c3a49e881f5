// printf-style formatting for UTF-16 strings. Numbers are rendered by the C
// library from a narrow copy of each conversion; strings and characters are
// handled here so that no conversion through a locale takes place.
#include <cstdio>
#include <string>

#include "base/CString.h"

namespace {

void AppendAscii(CString& out, const char* text, int length) {
    for (int i = 0; i < length; ++i) out += WCHAR(static_cast<unsigned char>(text[i]));
}

void AppendPadded(CString& out, const WCHAR* text, int length, int width, bool left) {
    if (!left)
        for (int i = length; i < width; ++i) out += WCHAR(' ');
    out.Append(text, length);
    if (left)
        for (int i = length; i < width; ++i) out += WCHAR(' ');
}

}  // namespace

void CString::AppendFormatV(const WCHAR* format, va_list callerArgs) {
    va_list args;
    va_copy(args, callerArgs);
    CString out(*this);
    const WCHAR* p = format ? format : QSTR("");
    while (*p) {
        if (*p != '%') {
            const WCHAR* run = p;
            while (*p && *p != '%') ++p;
            out.Append(run, int(p - run));
            continue;
        }
        ++p;
        if (*p == '%') {
            out += WCHAR('%');
            ++p;
            continue;
        }
        std::string spec = "%";
        bool left = false;
        while (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || *p == '0') {
            if (*p == '-') left = true;
            spec += char(*p++);
        }
        int width = 0;
        if (*p == '*') {
            width = va_arg(args, int);
            if (width < 0) { left = true; width = -width; spec += '-'; }
            spec += std::to_string(width);
            ++p;
        } else {
            while (*p >= '0' && *p <= '9') { width = width * 10 + (*p - '0'); spec += char(*p++); }
        }
        int precision = -1;
        if (*p == '.') {
            spec += char(*p++);
            precision = 0;
            if (*p == '*') {
                precision = va_arg(args, int);
                spec += std::to_string(precision < 0 ? 0 : precision);
                ++p;
            } else {
                while (*p >= '0' && *p <= '9') { precision = precision * 10 + (*p - '0'); spec += char(*p++); }
            }
        }
        // Length modifiers: h, hh, l, ll, z, and the Microsoft I64.
        enum { Int, Long, LongLong, Size } size = Int;
        for (;;) {
            if (*p == 'h') { ++p; }
            else if (*p == 'l') { ++p; size = (size == Long) ? LongLong : Long; }
            else if (*p == 'z') { ++p; size = Size; }
            else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') { p += 3; size = LongLong; }
            else break;
        }
        WCHAR conversion = *p ? *p++ : WCHAR(0);
        char buffer[512];
        int written = 0;
        switch (conversion) {
        case 'd': case 'i': {
            long long value = size == LongLong ? va_arg(args, long long)
                            : size == Long ? va_arg(args, long)
                            : size == Size ? (long long)va_arg(args, std::ptrdiff_t)
                            : va_arg(args, int);
            written = std::snprintf(buffer, sizeof buffer, (spec + "lld").c_str(), value);
            break;
        }
        case 'u': case 'x': case 'X': case 'o': {
            unsigned long long value = size == LongLong ? va_arg(args, unsigned long long)
                                     : size == Long ? va_arg(args, unsigned long)
                                     : size == Size ? (unsigned long long)va_arg(args, std::size_t)
                                     : va_arg(args, unsigned int);
            written = std::snprintf(buffer, sizeof buffer, (spec + "ll" + char(conversion)).c_str(), value);
            break;
        }
        case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
            written = std::snprintf(buffer, sizeof buffer, (spec + char(conversion)).c_str(), va_arg(args, double));
            break;
        case 'p':
            written = std::snprintf(buffer, sizeof buffer, "%p", va_arg(args, void*));
            break;
        case 'c': case 'C': {
            WCHAR ch = WCHAR(va_arg(args, int));
            AppendPadded(out, &ch, 1, width, left);
            continue;
        }
        case 's': {
            const WCHAR* text = va_arg(args, const WCHAR*);
            if (!text) text = QSTR("(null)");
            int length = int(QorStrLen(text));
            if (precision >= 0 && precision < length) length = precision;
            AppendPadded(out, text, length, width, left);
            continue;
        }
        case 'S': {
            const char* text = va_arg(args, const char*);
            CString wide = CString::FromUtf8(std::string(text ? text : "(null)"));
            int length = wide.GetLength();
            if (precision >= 0 && precision < length) length = precision;
            AppendPadded(out, wide.GetString(), length, width, left);
            continue;
        }
        default:
            // An unknown conversion is copied as written rather than guessed at.
            AppendAscii(out, spec.c_str(), int(spec.size()));
            if (conversion) out += conversion;
            continue;
        }
        if (written > int(sizeof buffer) - 1) written = int(sizeof buffer) - 1;
        if (written > 0) AppendAscii(out, buffer, written);
    }
    va_end(args);
    *this = std::move(out);
}
