#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/QorApi.h"

// A pull scanner for the XML of workbook parts. It accepts only what those
// parts need: elements, attributes, character data, CDATA, comments and
// processing instructions. A document type declaration is refused, and so is
// any entity other than the five predefined ones and character references:
// nothing is ever expanded from the document itself. Errors throw
// CSheetException naming the part.
//
// The text may be held in memory or pulled from a source piece by piece;
// then only the markup at hand is buffered: a tag, comment or CDATA section
// has to fit in kMaxMarkup bytes, and long character data comes as several
// Text tokens in a row.
class QOR_API CXmlScanner {
public:
    enum Token { StartTag, EndTag, Text, End };
    // Fills the buffer with up to size bytes; 0 at the end of the text.
    using Source = std::function<std::size_t(char* buffer, std::size_t size)>;
    static constexpr std::size_t kMaxMarkup = 4u << 20;

    CXmlScanner(std::string_view xml, std::string partName);
    CXmlScanner(Source source, std::string partName);
    // The tokens point into the scanner's own buffer.
    CXmlScanner(const CXmlScanner&) = delete;
    CXmlScanner& operator=(const CXmlScanner&) = delete;

    // What Name, Attribute and AppendText give stays valid until the next call.
    Token Next();

    // Of the current start or end tag: the name without its namespace prefix.
    std::string_view Name() const noexcept { return m_localName; }
    // Of the current start tag: the value of the attribute whose name without
    // prefix is given, with references resolved; false when it is missing.
    bool Attribute(std::string_view localName, std::string& value) const;
    // Of the current start tag: the namespace its name is in, as declared on
    // this tag (the default one, or the one of its prefix); false when the
    // tag declares none.
    bool OwnNamespace(std::string& uri) const;
    // Of the current text: appends the characters with references resolved
    // and line ends normalised to LF.
    void AppendText(std::string& out) const;

    // What errors name as the text read; by default the workbook part.
    void SetSubject(std::string subject) { m_subject = std::move(subject); }
    [[noreturn]] void Fail(const std::string& what) const;

private:
    void CheckEncoding();
    std::size_t Available() const noexcept { return m_xml.size() - m_pos; }
    bool Pull();
    std::size_t CheckMarkup(std::size_t length) const;
    std::size_t Find(std::string_view what, std::size_t from);
    std::size_t TagLength();
    Token ReadText();
    void SkipComment();
    void ParseStartTag(std::string_view tag);
    void Decode(std::string_view raw, std::string& out) const;
    static std::string_view LocalName(std::string_view name);

    Source m_source;          // none for text held in memory
    std::string m_buffer;     // the pulled text not yet consumed, from a source
    std::string_view m_xml;   // the text at hand: the whole text, or m_buffer
    std::size_t m_pos = 0;
    bool m_atEnd = false;     // the source has nothing more
    std::vector<std::string> m_open;  // qualified names of the open elements, m_depth of them
    std::size_t m_depth = 0;
    bool m_closePending = false;      // the last start tag was <x/>
    std::string_view m_qualifiedName;
    std::string_view m_localName;
    std::string_view m_text;
    bool m_textIsCData = false;
    std::vector<std::pair<std::string_view, std::string_view>> m_attributes;
    std::string m_subject;
};
