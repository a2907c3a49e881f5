#include "catalogs/XliffReader.h"

#include <string>

#include "base/Exceptions.h"
#include "base/Utf.h"
#include "sheets/XmlScanner.h"

namespace {

constexpr std::string_view kNamespace = "urn:oasis:names:tc:xliff:document:2.0";

class XliffParser {
public:
    explicit XliffParser(std::string_view xml) : m_scanner(xml, std::string()) {
        m_scanner.SetSubject("the XLIFF file");
    }

    CCatalog Run() {
        CXmlScanner::Token token;
        while ((token = m_scanner.Next()) != CXmlScanner::StartTag)
            if (token == CXmlScanner::End) Fail("has no XLIFF element");
        if (m_scanner.Name() != "xliff")
            Fail("is not XLIFF: its root element is <" + std::string(m_scanner.Name().substr(0, 40)) + ">");
        std::string ns, version;
        m_scanner.OwnNamespace(ns);
        m_scanner.Attribute("version", version);
        if (ns != kNamespace || version.rfind("2.", 0) != 0)
            Fail("is XLIFF " + (version.empty() ? std::string("of an unknown version") : version.substr(0, 20)) +
                 "; only XLIFF 2 (" + std::string(kNamespace) + ") is read");
        std::string language;
        if (m_scanner.Attribute("srcLang", language)) m_catalog.sourceLanguage = CString::FromUtf8(language);
        if (m_scanner.Attribute("trgLang", language)) m_catalog.targetLanguage = CString::FromUtf8(language);
        Container();
        return std::move(m_catalog);
    }

private:
    [[noreturn]] void Fail(const std::string& what) const { throw CCatalogException("the XLIFF file " + what); }

    // The xliff element, a file or a group: units and groups, any depth.
    void Container() {
        for (;;) {
            switch (m_scanner.Next()) {
            case CXmlScanner::StartTag:
                if (m_scanner.Name() == "unit") Unit();
                else if (m_scanner.Name() == "file" || m_scanner.Name() == "group") Container();
                else Skip();
                break;
            case CXmlScanner::EndTag: return;
            case CXmlScanner::End: return;
            case CXmlScanner::Text: break;
            }
        }
    }

    void Skip() {
        for (int depth = 0;;) {
            const CXmlScanner::Token token = m_scanner.Next();
            if (token == CXmlScanner::StartTag) ++depth;
            else if (token == CXmlScanner::EndTag && depth-- == 0) return;
            else if (token == CXmlScanner::End) return;
        }
    }

    void Unit() {
        m_scanner.Attribute("id", m_unitId);
        m_unitId = m_unitId.substr(0, 60);
        CCatalogMessage message;
        std::u16string source, target;
        int segments = 0, translatedSegments = 0;
        for (;;) {
            const CXmlScanner::Token token = m_scanner.Next();
            if (token != CXmlScanner::StartTag) {
                if (token == CXmlScanner::Text) continue;
                break;
            }
            const std::string_view name = m_scanner.Name();
            if (name == "segment" || name == "ignorable") {
                const bool segment = name == "segment";
                std::u16string partSource, partTarget;
                bool hasTarget = false;
                Part(partSource, partTarget, hasTarget);
                segments += segment;
                translatedSegments += segment && hasTarget;
                source += partSource;
                target += hasTarget ? partTarget : partSource;
            } else if (name == "notes") {
                Notes(message);
            } else {
                Skip();
            }
        }
        if (translatedSegments > 0 && translatedSegments < segments)
            Fail("has a target in some segments of unit \"" + m_unitId + "\" only");
        message.original = CString(reinterpret_cast<const WCHAR*>(source.data()), int(source.size()));
        if (translatedSegments > 0)
            message.translation = CString(reinterpret_cast<const WCHAR*>(target.data()), int(target.size()));
        m_catalog.messages.push_back(std::move(message));
    }

    void Part(std::u16string& source, std::u16string& target, bool& hasTarget) {
        for (;;) {
            const CXmlScanner::Token token = m_scanner.Next();
            if (token != CXmlScanner::StartTag) {
                if (token == CXmlScanner::Text) continue;
                return;
            }
            if (m_scanner.Name() == "source") {
                Content(source, "source");
            } else if (m_scanner.Name() == "target") {
                hasTarget = true;
                Content(target, "target");
            } else {
                Skip();
            }
        }
    }

    void Content(std::u16string& out, const char* what) {
        std::string text;
        for (;;) {
            const CXmlScanner::Token token = m_scanner.Next();
            if (token == CXmlScanner::Text) {
                text.clear();
                m_scanner.AppendText(text);
                out += Utf8ToUtf16(text.data(), text.size());
                continue;
            }
            if (token != CXmlScanner::StartTag) return;
            if (m_scanner.Name() != "cp")
                Fail("has inline markup <" + std::string(m_scanner.Name().substr(0, 40)) + "> in the " + what +
                     " of unit \"" + m_unitId + "\", which cannot be imported without losing what it stands for");
            CodePoint(out);
        }
    }

    void CodePoint(std::u16string& out) {
        std::string hex;
        unsigned long value = 0;
        bool ok = m_scanner.Attribute("hex", hex) && !hex.empty() && hex.size() <= 6;
        for (char ch : hex) {
            const int digit = ch >= '0' && ch <= '9'   ? ch - '0'
                              : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
                              : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                                                       : -1;
            if (digit < 0) ok = false;
            value = value * 16 + unsigned(digit < 0 ? 0 : digit);
        }
        if (!ok || value > 0x10FFFF) Fail("has a malformed <cp> in unit \"" + m_unitId + "\"");
        if (value >= 0x10000) {
            out += char16_t(0xD800 + ((value - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((value - 0x10000) & 0x3FF));
        } else {
            out += char16_t(value);
        }
        if (m_scanner.Next() != CXmlScanner::EndTag) Fail("has a <cp> with content in unit \"" + m_unitId + "\"");
    }

    void Notes(CCatalogMessage& message) {
        for (;;) {
            const CXmlScanner::Token token = m_scanner.Next();
            if (token == CXmlScanner::EndTag || token == CXmlScanner::End) return;
            if (token != CXmlScanner::StartTag) continue;
            std::string category;
            if (m_scanner.Name() != "note" || !m_scanner.Attribute("category", category) || category != "updated") {
                Skip();
                continue;
            }
            std::string text;
            for (;;) {
                const CXmlScanner::Token inner = m_scanner.Next();
                if (inner == CXmlScanner::Text) m_scanner.AppendText(text);
                else if (inner == CXmlScanner::StartTag) Skip();
                else break;
            }
            message.updated = QorCatalogTimeFromText(text);
        }
    }

    CXmlScanner m_scanner;
    CCatalog m_catalog;
    std::string m_unitId;
};

}  // namespace

CCatalog QorReadXliff(std::string_view bytes) {
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")
        throw CCatalogException("the XLIFF file is in UTF-16; only UTF-8 is read");
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (!QorIsValidUtf8(bytes)) throw CCatalogException("the XLIFF file is not valid UTF-8");
    try {
        return XliffParser(bytes).Run();
    } catch (const CCatalogException&) {
        throw;
    } catch (const CException& e) {
        // The scanner's own errors name the file already.
        throw CCatalogException(e.GetReason());
    }
}
