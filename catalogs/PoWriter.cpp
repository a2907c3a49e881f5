#include "catalogs/PoWriter.h"

#include "base/Utf.h"

namespace {

bool IsHigh(WCHAR ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool IsLow(WCHAR ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

// The text escaped, without quotes; LF ends a piece.
std::string Escape(const CString& text) {
    const std::string utf8 = text.ToUtf8();
    std::string out;
    out.reserve(utf8.size() + 8);
    for (char ch : utf8) {
        switch (ch) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out += ch; break;
        }
    }
    return out;
}

// keyword "text", or keyword "" and one line per piece when an LF comes
// before the end, as msgcat writes it.
void AppendString(std::string& out, const char* keyword, const CString& text) {
    const std::string escaped = Escape(text);
    out += keyword;
    const std::size_t firstBreak = escaped.find("\\n");
    if (firstBreak == std::string::npos || firstBreak + 2 == escaped.size()) {
        out += " \"" + escaped + "\"\n";
        return;
    }
    out += " \"\"\n";
    std::size_t start = 0;
    while (start < escaped.size()) {
        std::size_t end = escaped.find("\\n", start);
        end = end == std::string::npos ? escaped.size() : end + 2;
        out += "\"" + escaped.substr(start, end - start) + "\"\n";
        start = end;
    }
}

}  // namespace

bool QorPoCanHold(const CString& text) {
    const int n = text.GetLength();
    for (int i = 0; i < n; ++i) {
        const WCHAR ch = text[i];
        if (ch == 0) return false;
        if (IsHigh(ch)) {
            if (i + 1 >= n || !IsLow(text[i + 1])) return false;
            ++i;
        } else if (IsLow(ch)) {
            return false;
        }
    }
    return true;
}

std::string QorWritePo(const CCatalog& catalog) {
    std::string out;
    out += "msgid \"\"\nmsgstr \"\"\n";
    if (!catalog.targetLanguage.IsEmpty()) out += "\"Language: " + Escape(catalog.targetLanguage) + "\\n\"\n";
    out += "\"MIME-Version: 1.0\\n\"\n";
    out += "\"Content-Type: text/plain; charset=UTF-8\\n\"\n";
    out += "\"Content-Transfer-Encoding: 8bit\\n\"\n";
    if (!catalog.sourceLanguage.IsEmpty())
        out += "\"X-Source-Language: " + Escape(catalog.sourceLanguage) + "\\n\"\n";

    for (const CCatalogMessage& message : catalog.messages) {
        if (!QorPoCanHold(message.original) || !QorPoCanHold(message.translation))
            throw CCatalogException("the word \"" + message.original.ToUtf8() +
                                    "\" holds a NUL or an unpaired surrogate, which a PO file cannot hold");
        out += '\n';
        const std::string updated = QorCatalogTimeText(message.updated);
        if (!updated.empty()) out += "#. updated " + updated + "\n";
        if (message.fuzzy || message.cFormat) {
            out += "#,";
            if (message.fuzzy) out += " fuzzy";
            if (message.fuzzy && message.cFormat) out += ',';
            if (message.cFormat) out += " c-format";
            out += '\n';
        }
        AppendString(out, "msgid", message.original);
        AppendString(out, "msgstr", message.translation);
    }
    return out;
}
