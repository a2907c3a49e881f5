#include "sheets/XmlScanner.h"

#include <cstring>

#include "base/Utf.h"
#include "sheets/SheetError.h"

namespace {

constexpr std::size_t kMaxDepth = 256;

bool IsSpace(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }
bool IsNameChar(char ch) { return !IsSpace(ch) && ch != '>' && ch != '/' && ch != '=' && ch != '<' && ch != '"' && ch != '\''; }


}  // namespace

CXmlScanner::CXmlScanner(std::string_view xml, std::string partName) : m_xml(xml), m_part(std::move(partName)) {
    if (m_xml.size() >= 3 && m_xml.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;
    else if (m_xml.size() >= 2 && (m_xml.substr(0, 2) == "\xFF\xFE" || m_xml.substr(0, 2) == "\xFE\xFF"))
        Fail("is in UTF-16, which is not supported");
}

void CXmlScanner::Fail(const std::string& what) const {
    throw CSheetException("the part \"" + m_part + "\" of the workbook " + what);
}

std::string_view CXmlScanner::LocalName(std::string_view name) {
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

CXmlScanner::Token CXmlScanner::Next() {
    if (m_closePending) {
        m_closePending = false;
        m_localName = LocalName(m_open.back());
        m_open.pop_back();
        return EndTag;
    }
    for (;;) {
        if (m_pos >= m_xml.size()) {
            if (!m_open.empty()) Fail("ends in the middle of its XML");
            return End;
        }
        if (m_xml[m_pos] != '<') {
            const std::size_t lt = m_xml.find('<', m_pos);
            const std::size_t end = lt == std::string_view::npos ? m_xml.size() : lt;
            m_text = m_xml.substr(m_pos, end - m_pos);
            m_textIsCData = false;
            m_pos = end;
            return Text;
        }
        const std::string_view rest = m_xml.substr(m_pos);
        if (rest.substr(0, 2) == "<?") {
            const std::size_t close = rest.find("?>");
            if (close == std::string_view::npos) Fail("ends in the middle of its XML");
            const std::string_view pi = rest.substr(0, close);
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
            const std::size_t close = rest.find("-->", 4);
            if (close == std::string_view::npos) Fail("ends in the middle of its XML");
            m_pos += close + 3;
            continue;
        }
        if (rest.substr(0, 9) == "<![CDATA[") {
            const std::size_t close = rest.find("]]>", 9);
            if (close == std::string_view::npos) Fail("ends in the middle of its XML");
            m_text = rest.substr(9, close - 9);
            m_textIsCData = true;
            m_pos += close + 3;
            return Text;
        }
        if (rest.substr(0, 2) == "<!")
            Fail("declares a document type or entities, which are refused");
        if (rest.substr(0, 2) == "</") {
            std::size_t i = 2;
            while (i < rest.size() && IsNameChar(rest[i])) ++i;
            const std::string_view name = rest.substr(2, i - 2);
            while (i < rest.size() && IsSpace(rest[i])) ++i;
            if (i >= rest.size() || rest[i] != '>') Fail("has a malformed end tag");
            if (m_open.empty() || m_open.back() != name) Fail("has mismatched XML tags");
            m_open.pop_back();
            m_localName = LocalName(name);
            m_pos += i + 1;
            return EndTag;
        }
        ParseStartTag();
        return StartTag;
    }
}

void CXmlScanner::ParseStartTag() {
    std::size_t i = m_pos + 1;
    const std::size_t size = m_xml.size();
    const std::size_t nameStart = i;
    while (i < size && IsNameChar(m_xml[i])) ++i;
    if (i == nameStart) Fail("has a malformed tag");
    const std::string_view name = m_xml.substr(nameStart, i - nameStart);
    m_attributes.clear();
    for (;;) {
        while (i < size && IsSpace(m_xml[i])) ++i;
        if (i >= size) Fail("ends in the middle of its XML");
        if (m_xml[i] == '>') {
            ++i;
            break;
        }
        if (m_xml[i] == '/') {
            if (i + 1 >= size || m_xml[i + 1] != '>') Fail("has a malformed tag");
            i += 2;
            m_closePending = true;
            break;
        }
        const std::size_t attrStart = i;
        while (i < size && IsNameChar(m_xml[i])) ++i;
        if (i == attrStart) Fail("has a malformed attribute");
        const std::string_view attrName = m_xml.substr(attrStart, i - attrStart);
        while (i < size && IsSpace(m_xml[i])) ++i;
        if (i >= size || m_xml[i] != '=') Fail("has a malformed attribute");
        ++i;
        while (i < size && IsSpace(m_xml[i])) ++i;
        if (i >= size || (m_xml[i] != '"' && m_xml[i] != '\'')) Fail("has a malformed attribute");
        const char quote = m_xml[i++];
        const std::size_t close = m_xml.find(quote, i);
        if (close == std::string_view::npos) Fail("ends in the middle of its XML");
        m_attributes.emplace_back(attrName, m_xml.substr(i, close - i));
        i = close + 1;
    }
    if (m_open.size() >= kMaxDepth) Fail("nests its XML too deeply");
    m_open.push_back(name);
    m_localName = LocalName(name);
    m_pos = i;
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
