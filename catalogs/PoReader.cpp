#include "catalogs/PoReader.h"

#include <string>
#include <unordered_map>

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

int HexValue(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

class PoParser {
public:
    CCatalog Run(std::string_view bytes) {
        if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            if (end == std::string_view::npos) end = bytes.size();
            std::string_view line = bytes.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            ++m_line;
            Line(TrimBlanks(line));
            start = end + 1;
        }
        if (m_hasId && !m_hasStr) Fail(m_entryLine, "the message has a msgid but no msgstr");
        Flush();
        return std::move(m_catalog);
    }

private:
    [[noreturn]] void Fail(long line, const std::string& what) const {
        throw CCatalogException("line " + std::to_string(line) + ": " + what);
    }

    void Line(std::string_view line) {
        if (line.empty()) return;
        if (line.front() == '"') {
            if (!m_current) Fail(m_line, "a string that belongs to no msgid or msgstr");
            AppendString(line, *m_current);
            return;
        }
        if (line.front() == '#') {
            Comment(line);
            return;
        }
        std::size_t keywordEnd = 0;
        while (keywordEnd < line.size() && !IsBlank(line[keywordEnd]) && line[keywordEnd] != '"') ++keywordEnd;
        const std::string_view keyword = line.substr(0, keywordEnd);
        const std::string_view rest = TrimBlanks(line.substr(keywordEnd));
        if (keyword == "msgctxt")
            Fail(m_line, "the message has a context (msgctxt), which a dictionary has no place for");
        if (keyword == "msgid_plural" || StartsWith(keyword, "msgstr["))
            Fail(m_line, "the message has plural forms, which a dictionary has no place for");
        if (keyword == "msgid") {
            if (m_hasStr) Flush();
            if (m_hasId) Fail(m_line, "a second msgid before the msgstr of the first");
            if (!m_inEntry) m_entryLine = m_line;
            m_inEntry = m_hasId = true;
            m_id.clear();
            m_current = &m_id;
            AppendString(rest, m_id);
            return;
        }
        if (keyword == "msgstr") {
            if (!m_hasId || m_hasStr) Fail(m_line, "a msgstr without its msgid");
            m_hasStr = true;
            m_str.clear();
            m_current = &m_str;
            AppendString(rest, m_str);
            return;
        }
        Fail(m_line, "\"" + std::string(keyword.substr(0, 40)) + "\" is not a PO keyword");
    }

    void Comment(std::string_view line) {
        if (m_hasStr) Flush();
        m_current = nullptr;
        if (StartsWith(line, "#~")) {
            // An obsolete message: its flags and comments go with it.
            if (m_hasId) Fail(m_line, "an obsolete line inside a message");
            ResetEntry();
            return;
        }
        if (!m_inEntry) m_entryLine = m_line;
        m_inEntry = true;
        if (StartsWith(line, "#,")) {
            std::string_view flags = line.substr(2);
            while (!flags.empty()) {
                const std::size_t comma = flags.find(',');
                const std::string_view flag = TrimBlanks(flags.substr(0, comma));
                if (flag == "fuzzy") m_fuzzy = true;
                else if (flag == "c-format") m_cFormat = true;
                flags = comma == std::string_view::npos ? std::string_view() : flags.substr(comma + 1);
            }
        } else if (StartsWith(line, "#.")) {
            const std::string_view text = TrimBlanks(line.substr(2));
            if (StartsWith(text, "updated "))
                m_updated = QorCatalogTimeFromText(std::string(TrimBlanks(text.substr(8))));
        }
    }

    // A quoted string with C escapes, appended as bytes.
    void AppendString(std::string_view text, std::string& out) {
        if (text.size() < 2 || text.front() != '"') Fail(m_line, "a string has to be in double quotes");
        std::size_t i = 1;
        for (;;) {
            if (i >= text.size()) Fail(m_line, "the string has no closing quote");
            const char ch = text[i++];
            if (ch == '"') break;
            if (ch == '\0') Fail(m_line, "a NUL character, which ends a gettext string");
            if (ch != '\\') {
                out += ch;
                continue;
            }
            if (i >= text.size()) Fail(m_line, "the string has no closing quote");
            const char escape = text[i++];
            switch (escape) {
            case 'n': out += '\n'; continue;
            case 't': out += '\t'; continue;
            case 'r': out += '\r'; continue;
            case 'a': out += '\a'; continue;
            case 'b': out += '\b'; continue;
            case 'f': out += '\f'; continue;
            case 'v': out += '\v'; continue;
            case '\\': case '"': case '\'': case '?': out += escape; continue;
            default: break;
            }
            int value = -1;
            if (escape >= '0' && escape <= '7') {
                value = escape - '0';
                for (int digits = 1; digits < 3 && i < text.size() && text[i] >= '0' && text[i] <= '7'; ++digits)
                    value = value * 8 + (text[i++] - '0');
            } else if (escape == 'x' && i < text.size() && HexValue(text[i]) >= 0) {
                value = 0;
                while (i < text.size() && HexValue(text[i]) >= 0 && value <= 0xFF) value = value * 16 + HexValue(text[i++]);
            } else {
                Fail(m_line, std::string("unknown escape sequence \\") + escape);
            }
            if (value > 0xFF) Fail(m_line, "an escape sequence names no byte (over \\377 or \\xff)");
            if (value == 0) Fail(m_line, "a NUL character, which ends a gettext string");
            out += char(value);
        }
        if (!TrimBlanks(text.substr(i)).empty()) Fail(m_line, "text after the closing quote");
    }

    CString Text(const std::string& bytes) const {
        if (!QorIsValidUtf8(bytes)) Fail(m_entryLine, "the message is not valid UTF-8");
        return CString::FromUtf8(bytes);
    }

    void Header() {
        if (m_hadHeader) Fail(m_entryLine, "a second header entry (an empty msgid)");
        m_hadHeader = true;
        std::size_t start = 0;
        while (start < m_str.size()) {
            std::size_t end = m_str.find('\n', start);
            if (end == std::string::npos) end = m_str.size();
            const std::string_view field(m_str.data() + start, end - start);
            start = end + 1;
            const std::size_t colon = field.find(':');
            if (colon == std::string_view::npos) continue;
            const std::string_view name = TrimBlanks(field.substr(0, colon));
            const std::string value(TrimBlanks(field.substr(colon + 1)));
            if (name == "Language") m_catalog.targetLanguage = Text(value);
            else if (name == "X-Source-Language") m_catalog.sourceLanguage = Text(value);
            else if (name == "Content-Type") CheckCharset(value);
        }
    }

    void CheckCharset(const std::string& contentType) const {
        const std::size_t at = contentType.find("charset=");
        if (at == std::string::npos) return;
        std::string charset = contentType.substr(at + 8);
        charset = charset.substr(0, charset.find_first_of("; \t"));
        std::string upper;
        for (char ch : charset) upper += char(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
        // "CHARSET" is a template's placeholder: such a file is ASCII yet.
        if (upper == "UTF-8" || upper == "UTF8" || upper == "CHARSET" || upper.empty()) return;
        Fail(m_entryLine, "the file is in " + charset.substr(0, 40) +
                              "; only UTF-8 PO files are read (msgconv --to-code=UTF-8 converts it)");
    }

    void Flush() {
        if (m_hasStr) {
            if (m_id.empty()) {
                Header();
            } else {
                const auto known = m_seen.emplace(m_id, m_entryLine);
                if (!known.second)
                    Fail(m_entryLine, "the msgid of line " + std::to_string(known.first->second) + " once more");
                CCatalogMessage message;
                message.original = Text(m_id);
                message.translation = Text(m_str);
                message.updated = m_updated;
                message.fuzzy = m_fuzzy;
                message.cFormat = m_cFormat;
                message.line = m_entryLine;
                m_catalog.messages.push_back(std::move(message));
            }
        }
        ResetEntry();
    }

    void ResetEntry() {
        m_inEntry = m_hasId = m_hasStr = m_fuzzy = m_cFormat = false;
        m_updated = COleDateTime(0.0, COleDateTime::null);
        m_id.clear();
        m_str.clear();
        m_current = nullptr;
    }

    CCatalog m_catalog;
    long m_line = 0;
    long m_entryLine = 0;
    bool m_inEntry = false;  // comments or a msgid seen since the last message
    bool m_hasId = false;
    bool m_hasStr = false;
    bool m_fuzzy = false;
    bool m_cFormat = false;
    bool m_hadHeader = false;
    COleDateTime m_updated{0.0, COleDateTime::null};
    std::string m_id, m_str;
    std::string* m_current = nullptr;  // what a continuation line extends
    std::unordered_map<std::string, long> m_seen;
};

}  // namespace

CCatalog QorReadPo(std::string_view bytes) { return PoParser().Run(bytes); }
