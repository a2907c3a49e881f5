#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A pull scanner for the XML of workbook parts, over text held in memory.
// It accepts only what those parts need: elements, attributes, character
// data, CDATA, comments and processing instructions. A document type
// declaration is refused, and so is any entity other than the five
// predefined ones and character references: nothing is ever expanded from
// the document itself. Errors throw CSheetException naming the part.
class CXmlScanner {
public:
    enum Token { StartTag, EndTag, Text, End };

    CXmlScanner(std::string_view xml, std::string partName);

    Token Next();

    // Of the current start or end tag: the name without its namespace prefix.
    std::string_view Name() const noexcept { return m_localName; }
    // Of the current start tag: the value of the attribute whose name without
    // prefix is given, with references resolved; false when it is missing.
    bool Attribute(std::string_view localName, std::string& value) const;
    // Of the current text: appends the characters with references resolved
    // and line ends normalised to LF.
    void AppendText(std::string& out) const;

    [[noreturn]] void Fail(const std::string& what) const;

private:
    void ParseStartTag();
    void Decode(std::string_view raw, std::string& out) const;
    static std::string_view LocalName(std::string_view name);

    std::string_view m_xml;
    std::string m_part;
    std::size_t m_pos = 0;
    std::vector<std::string_view> m_open;  // qualified names of the open elements
    bool m_closePending = false;           // the last start tag was <x/>
    std::string_view m_localName;
    std::string_view m_text;
    bool m_textIsCData = false;
    std::vector<std::pair<std::string_view, std::string_view>> m_attributes;
};
