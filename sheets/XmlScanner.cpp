#include "sheets/XmlScanner.h"

#include <cstring>

#include "base/Utf.h"
#include "sheets/SheetError.h"

namespace {

constexpr std::size_t kMaxDepth = 256;
constexpr std::size_t kPiece = 64u << 10;  // pulled from a source at a time; the longest Text token

bool IsSpace(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }
bool IsNameChar(char ch) { return !IsSpace(ch) && ch != '>' && ch != '/' && ch != '=' && ch != '<' && ch != '"' && ch != '\''; }

}  // namespace

CXmlScanner::CXmlScanner(std::string_view xml, std::string partName)
    : m_xml(xml), m_atEnd(true), m_subject("the part \"" + partName + "\" of the workbook") {
    CheckEncoding();
}

CXmlScanner::CXmlScanner(Source source, std::string partName)
    : m_source(std::move(source)), m_subject("the part \"" + partName + "\" of the workbook") {
    while (Available() < 3 && Pull()) {
    }
    CheckEncoding();
}

void CXmlScanner::CheckEncoding() {
    if (m_xml.size() >= 3 && m_xml.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;
    else if (m_xml.size() >= 2 && (m_xml.substr(0, 2) == "\xFF\xFE" || m_xml.substr(0, 2) == "\xFE\xFF"))
        Fail("is in UTF-16, which is not supported");
}

void CXmlScanner::Fail(const std::string& what) const {
    throw CSheetException(m_subject + " " + what);
}

std::string_view CXmlScanner::LocalName(std::string_view name) {
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool CXmlScanner::Pull() {
    if (m_atEnd) return false;
    // What is consumed goes; positions from m_pos on keep their meaning.
    if (m_pos > 0) {
        m_buffer.erase(0, m_pos);
        m_pos = 0;
    }
    const std::size_t held = m_buffer.size();
    m_buffer.resize(held + kPiece);
    const std::size_t got = m_source(&m_buffer[held], kPiece);
    m_buffer.resize(held + got);
    m_xml = m_buffer;
    if (got == 0) m_atEnd = true;
    return got > 0;
}

std::size_t CXmlScanner::CheckMarkup(std::size_t length) const {
    // Text held in memory is there already: only pulled text is bounded.
    if (m_source && length > kMaxMarkup) Fail("has XML markup too large to read");
    return length;
}

std::size_t CXmlScanner::Find(std::string_view what, std::size_t from) {
    for (;;) {
        const std::size_t at = m_xml.find(what, m_pos + from);
        if (at != std::string_view::npos) return CheckMarkup(at - m_pos);
        if (m_atEnd) return std::string_view::npos;
        CheckMarkup(Available());
        if (Available() >= what.size()) from = Available() - what.size() + 1;
        Pull();
    }
}

std::size_t CXmlScanner::TagLength() {
    std::size_t i = 1;
    char quote = 0;
    for (;;) {
        for (; m_pos + i < m_xml.size(); ++i) {
            const char ch = m_xml[m_pos + i];
            if (quote) {
                if (ch == quote) quote = 0;
            } else if (ch == '"' || ch == '\'') {
                quote = ch;
            } else if (ch == '>') {
                return CheckMarkup(i + 1);
            }
        }
        if (m_atEnd) return std::string_view::npos;
        CheckMarkup(i);
        Pull();
    }
}

CXmlScanner::Token CXmlScanner::ReadText() {
    m_textIsCData = false;
    std::size_t scanned = 0;
    for (;;) {
        const std::size_t lt = m_xml.find('<', m_pos + scanned);
        if (lt != std::string_view::npos || m_atEnd) {
            const std::size_t end = lt == std::string_view::npos ? m_xml.size() : lt;
            m_text = m_xml.substr(m_pos, end - m_pos);
            m_pos = end;
            return Text;
        }
        if (Available() >= kPiece) break;
        scanned = Available();
        Pull();
    }
    // Long text comes in pieces, none cut inside a reference or a CR LF.
    std::string_view piece = m_xml.substr(m_pos);
    std::size_t cut = piece.size();
    if (piece[cut - 1] == '\r') --cut;
    const std::size_t amp = piece.substr(0, cut).rfind('&');
    if (amp != std::string_view::npos && piece.substr(amp, cut - amp).find(';') == std::string_view::npos) cut = amp;
    if (cut == 0) Fail("has a malformed reference");
    m_text = piece.substr(0, cut);
    m_pos += cut;
    return Text;
}

void CXmlScanner::SkipComment() {
    std::size_t from = 4;
    for (;;) {
        const std::size_t at = m_xml.find("-->", m_pos + from);
        if (at != std::string_view::npos) {
            m_pos = at + 3;
            return;
        }
        if (m_atEnd) Fail("ends in the middle of its XML");
        // Only the last two bytes can begin the end of the comment.
        if (Available() > from + 2) {
            m_pos = m_xml.size() - 2;
            from = 0;
        }
        Pull();
    }
}

CXmlScanner::Token CXmlScanner::Next() {
    if (m_closePending) {
        m_closePending = false;
        --m_depth;
        m_qualifiedName = m_open[m_depth];
        m_localName = LocalName(m_qualifiedName);
        return EndTag;
    }
    for (;;) {
        if (Available() == 0 && !Pull()) {
            if (m_depth > 0) Fail("ends in the middle of its XML");
            return End;
        }
        if (m_xml[m_pos] != '<') return ReadText();
        while (Available() < 9 && Pull()) {
        }
        const std::string_view rest = m_xml.substr(m_pos, 9);
        if (rest.substr(0, 2) == "<?") {
            const std::size_t close = Find("?>", 2);
            if (close == std::string_view::npos) Fail("ends in the middle of its XML");
            const std::string_view pi = m_xml.substr(m_pos, close);
            // The encoding, when named, has to be UTF-8.
            const std::size_t enc = pi.find("encoding");
            if (pi.substr(0, 5) == "<?xml" && enc != std::string_view::npos) {
                std::string value(pi.substr(enc + 8));
                for (char& ch : value) ch = char(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
                if (value.find("UTF-8") == std::string::npos && value.find("UTF8") == std::string::npos)
                    Fail("is not in UTF-8, which is not supported");
            }
            m_pos += close + 2;
            continue;
        }
        if (rest.substr(0, 4) == "<!--") {
            SkipComment();
            continue;
        }
        if (rest == "<![CDATA[") {
            const std::size_t close = Find("]]>", 9);
            if (close == std::string_view::npos) Fail("ends in the middle of its XML");
            m_text = m_xml.substr(m_pos + 9, close - 9);
            m_textIsCData = true;
            m_pos += close + 3;
            return Text;
        }
        if (rest.substr(0, 2) == "<!") Fail("declares a document type or entities, which are refused");
        if (rest.substr(0, 2) == "</") {
            const std::size_t close = Find(">", 2);
            if (close == std::string_view::npos) Fail("has a malformed end tag");
            const std::string_view tag = m_xml.substr(m_pos, close);
            std::size_t i = 2;
            while (i < tag.size() && IsNameChar(tag[i])) ++i;
            const std::string_view name = tag.substr(2, i - 2);
            while (i < tag.size() && IsSpace(tag[i])) ++i;
            if (i != tag.size()) Fail("has a malformed end tag");
            if (m_depth == 0 || m_open[m_depth - 1] != name) Fail("has mismatched XML tags");
            --m_depth;
            m_qualifiedName = name;
            m_localName = LocalName(name);
            m_pos += close + 1;
            return EndTag;
        }
        const std::size_t length = TagLength();
        if (length == std::string_view::npos) Fail("ends in the middle of its XML");
        ParseStartTag(m_xml.substr(m_pos, length));
        m_pos += length;
        return StartTag;
    }
}

// The tag from its '<' to its '>'.
void CXmlScanner::ParseStartTag(std::string_view tag) {
    std::size_t i = 1;
    const std::size_t size = tag.size() - 1;  // the '>'
    while (i < size && IsNameChar(tag[i])) ++i;
    if (i == 1) Fail("has a malformed tag");
    const std::string_view name = tag.substr(1, i - 1);
    m_attributes.clear();
    for (;;) {
        while (i < size && IsSpace(tag[i])) ++i;
        if (i == size) break;
        if (tag[i] == '/') {
            if (i + 1 != size) Fail("has a malformed tag");
            m_closePending = true;
            break;
        }
        const std::size_t attrStart = i;
        while (i < size && IsNameChar(tag[i])) ++i;
        if (i == attrStart) Fail("has a malformed attribute");
        const std::string_view attrName = tag.substr(attrStart, i - attrStart);
        while (i < size && IsSpace(tag[i])) ++i;
        if (i >= size || tag[i] != '=') Fail("has a malformed attribute");
        ++i;
        while (i < size && IsSpace(tag[i])) ++i;
        if (i >= size || (tag[i] != '"' && tag[i] != '\'')) Fail("has a malformed attribute");
        const char quote = tag[i++];
        const std::size_t close = tag.find(quote, i);
        if (close == std::string_view::npos || close >= size) Fail("has a malformed attribute");
        m_attributes.emplace_back(attrName, tag.substr(i, close - i));
        i = close + 1;
    }
    if (m_depth >= kMaxDepth) Fail("nests its XML too deeply");
    if (m_depth == m_open.size()) m_open.emplace_back();
    m_open[m_depth++].assign(name.data(), name.size());
    m_qualifiedName = name;
    m_localName = LocalName(name);
}

bool CXmlScanner::OwnNamespace(std::string& uri) const {
    const std::size_t colon = m_qualifiedName.find(':');
    const std::string declaration =
        colon == std::string_view::npos ? std::string("xmlns") : "xmlns:" + std::string(m_qualifiedName.substr(0, colon));
    for (const auto& attribute : m_attributes) {
        if (attribute.first == declaration) {
            uri.clear();
            Decode(attribute.second, uri);
            return true;
        }
    }
    return false;
}

bool CXmlScanner::Attribute(std::string_view localName, std::string& value) const {
    for (const auto& attribute : m_attributes) {
        if (LocalName(attribute.first) == localName) {
            value.clear();
            Decode(attribute.second, value);
            return true;
        }
    }
    return false;
}

void CXmlScanner::AppendText(std::string& out) const {
    if (m_textIsCData) {
        for (std::size_t i = 0; i < m_text.size(); ++i) {
            if (m_text[i] == '\r') {
                out += '\n';
                if (i + 1 < m_text.size() && m_text[i + 1] == '\n') ++i;
            } else {
                out += m_text[i];
            }
        }
        return;
    }
    Decode(m_text, out);
}

void CXmlScanner::Decode(std::string_view raw, std::string& out) const {
    std::size_t i = 0;
    while (i < raw.size()) {
        const std::size_t special = raw.find_first_of("&\r", i);
        if (special == std::string_view::npos) {
            out.append(raw.data() + i, raw.size() - i);
            return;
        }
        out.append(raw.data() + i, special - i);
        i = special;
        if (raw[i] == '\r') {
            out += '\n';
            i += (i + 1 < raw.size() && raw[i + 1] == '\n') ? 2 : 1;
            continue;
        }
        const std::size_t semicolon = raw.find(';', i);
        if (semicolon == std::string_view::npos || semicolon - i > 12) Fail("has a malformed reference");
        const std::string_view ref = raw.substr(i + 1, semicolon - i - 1);
        if (ref == "lt") out += '<';
        else if (ref == "gt") out += '>';
        else if (ref == "amp") out += '&';
        else if (ref == "quot") out += '"';
        else if (ref == "apos") out += '\'';
        else if (ref.size() >= 2 && ref[0] == '#') {
            const bool hex = ref[1] == 'x';
            unsigned long cp = 0;
            std::size_t digits = 0;
            for (std::size_t k = hex ? 2 : 1; k < ref.size(); ++k, ++digits) {
                const char ch = ref[k];
                int v;
                if (ch >= '0' && ch <= '9') v = ch - '0';
                else if (hex && ch >= 'a' && ch <= 'f') v = ch - 'a' + 10;
                else if (hex && ch >= 'A' && ch <= 'F') v = ch - 'A' + 10;
                else Fail("has a malformed character reference");
                cp = cp * (hex ? 16 : 10) + unsigned(v);
                if (cp > 0x10FFFF) Fail("has a malformed character reference");
            }
            if (digits == 0) Fail("has a malformed character reference");
            if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
            AppendUtf8(out, cp);
        } else {
            Fail("refers to an entity \"" + std::string(ref) + "\", which is refused");
        }
        i = semicolon + 1;
    }
}
