#include "base/Utf.h"

namespace {

// escape: each byte of an invalid sequence becomes U+DC00 + byte (bytes below
// 0x80 are always valid), instead of U+FFFD.
std::u16string Decode(const char* text, std::size_t length, bool escape) {
    std::u16string out;
    out.reserve(length);
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    std::size_t i = 0;
    while (i < length) {
        unsigned char c = s[i];
        char32_t cp;
        std::size_t extra;
        char32_t minimum;
        if (c < 0x80) { cp = c; extra = 0; minimum = 0; }
        else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; minimum = 0x80; }
        else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; minimum = 0x800; }
        else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; extra = 3; minimum = 0x10000; }
        else { out.push_back(escape ? char16_t(0xDC00 + c) : char16_t(0xFFFD)); ++i; continue; }
        bool ok = true;
        for (std::size_t k = 1; k <= extra; ++k) {
            if (i + k >= length || (s[i + k] & 0xC0) != 0x80) { ok = false; break; }
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (!ok || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(escape ? char16_t(0xDC00 + c) : char16_t(0xFFFD));
            ++i;
            continue;
        }
        i += extra + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(char16_t(0xD800 + (cp >> 10)));
            out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(char16_t(cp));
        }
    }
    return out;
}

std::string Encode(const char16_t* text, std::size_t length, bool escape) {
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (escape && cp >= 0xDC80 && cp <= 0xDCFF) {
            out += char(cp - 0xDC00);
            continue;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

}  // namespace

std::u16string Utf8ToUtf16(const char* text, std::size_t length) { return Decode(text, length, false); }
std::string Utf16ToUtf8(const char16_t* text, std::size_t length) { return Encode(text, length, false); }
std::u16string NativeNameToUtf16(const char* bytes, std::size_t length) { return Decode(bytes, length, true); }
std::string Utf16ToNativeName(const char16_t* text, std::size_t length) { return Encode(text, length, true); }

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}
