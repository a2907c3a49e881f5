#include "JsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/Utf.h"

namespace qordict {

std::string JsonString(const WCHAR* text, int length) {
    std::string out = "\"";
    char escape[8];
    for (int i = 0; i < length; ++i) {
        unsigned unit = unsigned(text[i]);
        bool high = unit >= 0xD800 && unit <= 0xDBFF;
        bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && i + 1 < length && unsigned(text[i + 1]) >= 0xDC00 && unsigned(text[i + 1]) <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (unsigned(text[i + 1]) - 0xDC00));
            ++i;
        } else if (high || low || unit < 0x20) {
            switch (unit) {
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                std::snprintf(escape, sizeof escape, "\\u%04X", unit);
                out += escape;
            }
        } else if (unit == '"' || unit == '\\') {
            out += '\\';
            out += char(unit);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value) {
    if (std::isnan(value)) return "\"NaN\"";
    if (std::isinf(value)) return value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace qordict
