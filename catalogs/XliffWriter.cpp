#include "catalogs/XliffWriter.h"

#include <cstdio>

#include "base/Utf.h"

namespace {

bool IsHigh(WCHAR ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool IsLow(WCHAR ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

void AppendCodePoint(std::string& out, unsigned value) {
    char text[24];
    std::snprintf(text, sizeof text, "<cp hex=\"%04X\"/>", value);
    out += text;
}

// Element content, or an attribute value when quoted is set.
void AppendEscaped(std::string& out, const CString& text, bool attribute) {
    const int n = text.GetLength();
    for (int i = 0; i < n; ++i) {
        const WCHAR ch = text[i];
        if (IsHigh(ch) && i + 1 < n && IsLow(text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((char32_t(ch) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;
            continue;
        }
        switch (ch) {
        case '&': out += "&amp;"; continue;
        case '<': out += "&lt;"; continue;
        case '>': out += "&gt;"; continue;
        case '"': out += attribute ? "&quot;" : "\""; continue;
        case '\r': out += "&#xD;"; continue;
        case '\n': out += attribute ? "&#xA;" : "\n"; continue;
        case '\t': out += attribute ? "&#x9;" : "\t"; continue;
        default: break;
        }
        // XML 1.0 has no place for these, not even as references.
        if (ch < 0x20 || IsHigh(ch) || IsLow(ch) || ch == 0xFFFE || ch == 0xFFFF) {
            if (attribute) out += "\xEF\xBF\xBD";
            else AppendCodePoint(out, ch);
            continue;
        }
        AppendUtf8(out, ch);
    }
}

std::string Escaped(const CString& text, bool attribute = false) {
    std::string out;
    AppendEscaped(out, text, attribute);
    return out;
}

}  // namespace

std::string QorWriteXliff(const CCatalog& catalog, const std::string& fileId) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<xliff version=\"2.0\" xmlns=\"urn:oasis:names:tc:xliff:document:2.0\"";
    out += " srcLang=\"" + Escaped(catalog.sourceLanguage, true) + "\"";
    if (!catalog.targetLanguage.IsEmpty()) out += " trgLang=\"" + Escaped(catalog.targetLanguage, true) + "\"";
    out += ">\n";
    out += " <file id=\"" + Escaped(CString::FromUtf8(fileId), true) + "\" xml:space=\"preserve\">\n";
    long id = 0;
    for (const CCatalogMessage& message : catalog.messages) {
        out += "  <unit id=\"u" + std::to_string(++id) + "\">\n";
        const std::string updated = QorCatalogTimeText(message.updated);
        if (!updated.empty()) out += "   <notes><note category=\"updated\">" + updated + "</note></notes>\n";
        const bool translated = !message.translation.IsEmpty();
        out += translated ? (message.fuzzy ? "   <segment state=\"initial\">\n" : "   <segment state=\"translated\">\n")
                          : "   <segment>\n";
        out += "    <source>";
        AppendEscaped(out, message.original, false);
        out += "</source>\n";
        if (translated) {
            out += "    <target>";
            AppendEscaped(out, message.translation, false);
            out += "</target>\n";
        }
        out += "   </segment>\n  </unit>\n";
    }
    out += " </file>\n</xliff>\n";
    return out;
}
