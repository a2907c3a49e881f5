#include "model/TextListFile.h"

#include <new>

#include "base/CFile.h"
#include "base/Exceptions.h"
#include "base/Utf.h"

namespace {

constexpr std::size_t kMaxListBytes = std::size_t(1) << 30;
constexpr std::size_t kChunk = std::size_t(1) << 20;

bool IsHigh(WCHAR unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(WCHAR unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUnitEscape(std::string& out, unsigned unit) {
    static const char hex[] = "0123456789ABCDEF";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += hex[(unit >> shift) & 0xF];
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsContinuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return byte >= low && byte <= high;
}

// One code point of well-formed UTF-8 (no overlong forms, no encoded
// surrogates, nothing past U+10FFFF) starting at p; 0 bytes when malformed.
std::size_t DecodeUtf8(const unsigned char* p, std::size_t left, char32_t& codePoint) {
    const unsigned char b = p[0];
    if (b < 0x80) {
        codePoint = b;
        return 1;
    }
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
        codePoint = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        codePoint = b & 0x0F;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        codePoint = b & 0x07;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (left < length || !IsContinuation(p[1], low, high)) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if (i > 1 && !IsContinuation(p[i])) return 0;
        codePoint = (codePoint << 6) | (p[i] & 0x3F);
    }
    return length;
}

void AppendCodePoint(std::u16string& out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        out += char16_t(codePoint);
    } else {
        codePoint -= 0x10000;
        out += char16_t(0xD800 + (codePoint >> 10));
        out += char16_t(0xDC00 + (codePoint & 0x3FF));
    }
}

// One line without its end; false with the reason.
bool ParseLine(const unsigned char* p, std::size_t length, std::u16string& out, std::string& error) {
    for (std::size_t i = 0; i < length;) {
        char32_t codePoint;
        const std::size_t used = DecodeUtf8(p + i, length - i, codePoint);
        if (used == 0) {
            error = "not valid UTF-8 at byte " + std::to_string(i + 1) + " of the line";
            return false;
        }
        i += used;
        if (codePoint != '\\') {
            AppendCodePoint(out, codePoint);
            continue;
        }
        if (i >= length) {
            error = "a backslash ends the line (write \\\\ for a backslash)";
            return false;
        }
        const char escape = char(p[i++]);
        switch (escape) {
        case '\\': out += u'\\'; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        case 'u': {
            unsigned unit = 0;
            for (int k = 0; k < 4; ++k) {
                const int digit = i < length ? HexValue(char(p[i])) : -1;
                if (digit < 0) {
                    error = "\\u needs four hexadecimal digits";
                    return false;
                }
                unit = unit << 4 | unsigned(digit);
                ++i;
            }
            out += char16_t(unit);
            break;
        }
        default:
            error = (p[i - 1] >= 0x20 && p[i - 1] < 0x7F ? std::string("unknown escape '\\") + escape + "'"
                                                         : std::string("unknown escape after a backslash")) +
                    " (write \\\\ for a backslash)";
            return false;
        }
    }
    return true;
}

}  // namespace

std::string EncodeTextListLine(const CString& text) {
    std::string out;
    const WCHAR* p = text.GetString();
    const int n = text.GetLength();
    for (int i = 0; i < n; ++i) {
        const WCHAR unit = p[i];
        if (IsHigh(unit) && i + 1 < n && IsLow(p[i + 1])) {
            AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(p[i + 1]) - 0xDC00));
            ++i;
        } else if (IsHigh(unit) || IsLow(unit)) {
            AppendUnitEscape(out, unit);
        } else if (unit == L'\\') {
            out += "\\\\";
        } else if (unit == L'\n') {
            out += "\\n";
        } else if (unit == L'\r') {
            out += "\\r";
        } else if (unit == L'\t') {
            out += "\\t";
        } else if (unit < 0x20) {
            AppendUnitEscape(out, unit);
        } else {
            AppendUtf8(out, char32_t(unit));
        }
    }
    return out;
}

bool WriteTextListFile(const CString& path, const std::vector<CString>& texts, std::string& error) {
    CAtomicFileWriter writer;
    if (!writer.Open(path)) {
        error = writer.GetError();
        return false;
    }
    try {
        std::string chunk;
        for (const CString& text : texts) {
            chunk += EncodeTextListLine(text);
            chunk += '\n';
            if (chunk.size() >= kChunk) {
                writer.File().Write(chunk.data(), chunk.size());
                chunk.clear();
            }
        }
        writer.File().Write(chunk.data(), chunk.size());
        writer.Commit();
        return true;
    } catch (const CException& e) {
        error = e.GetReason();
    } catch (const std::bad_alloc&) {
        error = "cannot save '" + path.ToNativeText() + "': out of memory";
    }
    return false;
}

bool ParseTextList(const char* bytes, std::size_t length, std::vector<CString>& texts, std::string& error) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    std::size_t i = 0;
    if (length >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) i = 3;
    std::vector<CString> parsed;
    std::u16string line;
    for (std::size_t number = 1; i < length; ++number) {
        std::size_t end = i;
        while (end < length && p[end] != '\n') ++end;
        const std::size_t next = end + 1;
        if (end > i && p[end - 1] == '\r') --end;  // a raw CR before the line end is part of it, never of the text
        line.clear();
        if (!ParseLine(p + i, end - i, line, error)) {
            error = "line " + std::to_string(number) + ": " + error;
            return false;
        }
        if (!line.empty())
            parsed.push_back(CString(reinterpret_cast<const WCHAR*>(line.data()), int(line.size())));
        i = next;
    }
    texts.insert(texts.end(), parsed.begin(), parsed.end());
    return true;
}

bool ReadTextListFile(const CString& path, std::vector<CString>& texts, std::string& error) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) {
        error = file.GetOpenError();
        return false;
    }
    std::string bytes;
    try {
        std::size_t got;
        do {
            if (bytes.size() >= kMaxListBytes) {
                error = "cannot read '" + path.ToNativeText() + "': the file is longer than 1 GiB";
                return false;
            }
            bytes.resize(bytes.size() + kChunk);
            got = file.Read(&bytes[bytes.size() - kChunk], kChunk);
            bytes.resize(bytes.size() - kChunk + got);
        } while (got > 0);
        file.Close();
    } catch (const CException& e) {
        error = e.GetReason();
        return false;
    } catch (const std::bad_alloc&) {
        error = "cannot read '" + path.ToNativeText() + "': out of memory";
        return false;
    }
    if (ParseTextList(bytes.data(), bytes.size(), texts, error)) return true;
    error = "cannot read '" + path.ToNativeText() + "': " + error;
    return false;
}
