// The XML scanner on text pulled in pieces: whatever the cuts, the same
// tokens as on the whole text in memory.
#include <gtest/gtest.h>

#include <algorithm>

#include "sheets/SheetError.h"
#include "sheets/XmlScanner.h"

namespace {

// Every token as one line; consecutive texts joined, as readers append them.
std::string Tokens(CXmlScanner& scanner) {
    std::string out, text, value;
    for (CXmlScanner::Token token; (token = scanner.Next()) != CXmlScanner::End;) {
        if (token == CXmlScanner::Text) {
            scanner.AppendText(text);
            continue;
        }
        if (!text.empty()) out += "text " + text + "\n";
        text.clear();
        out += (token == CXmlScanner::StartTag ? "start " : "end ") + std::string(scanner.Name());
        if (token == CXmlScanner::StartTag && scanner.Attribute("v", value)) out += " v=" + value;
        if (token == CXmlScanner::StartTag && scanner.OwnNamespace(value)) out += " ns=" + value;
        out += "\n";
    }
    return out + (text.empty() ? "" : "text " + text + "\n");
}

CXmlScanner::Source Pieces(const std::string& xml, std::size_t piece) {
    auto at = std::make_shared<std::size_t>(0);
    return [&xml, piece, at](char* buffer, std::size_t size) {
        const std::size_t n = std::min({piece, size, xml.size() - *at});
        std::copy_n(xml.data() + *at, n, buffer);
        *at += n;
        return n;
    };
}

std::string Error(const std::function<void()>& read) {
    try {
        read();
    } catch (const CSheetException& e) {
        return e.GetReason();
    }
    return "no error";
}

TEST(WorkbookXml, PiecesGiveTheTokensOfTheWholeText) {
    // Texts far longer than a piece, with references and CR LF everywhere,
    // among markup of every kind.
    std::string longText;
    for (int i = 0; i < 30000; ++i) longText += i % 7 == 0 ? "&amp;" : i % 11 == 0 ? "\r\n" : i % 13 == 0 ? "&#x4E2D;" : "ab";
    const std::string xml = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<x:root xmlns:x=\"urn:a\" v='1>2'>"
                            "<!-- a comment -- with dashes --><a v=\"&lt;&quot;\"/>" + longText +
                            "<![CDATA[<raw>\r\n]]]]><b></b >" + std::string(70000, ' ') + "tail</x:root>";
    CXmlScanner whole(xml, "whole");
    const std::string expected = Tokens(whole);
    EXPECT_NE(expected.find("start root v=1>2 ns=urn:a\n"), std::string::npos) << expected.substr(0, 200);
    EXPECT_NE(expected.find("start a v=<\"\nend a\n"), std::string::npos);
    EXPECT_NE(expected.find("<raw>\n]]"), std::string::npos);
    for (std::size_t piece : {std::size_t(1), std::size_t(7), std::size_t(4096), std::size_t(1) << 20}) {
        CXmlScanner pulled(Pieces(xml, piece), "pulled");
        EXPECT_EQ(Tokens(pulled), expected) << piece;
    }
}

TEST(WorkbookXml, PulledMarkupIsBoundedAndErrorsStayTheSame) {
    const std::string huge = "<a v=\"" + std::string(CXmlScanner::kMaxMarkup + 10, 'x') + "\"/>";
    const std::string tooLarge = Error([&] {
        CXmlScanner scanner(Pieces(huge, 65536), "p");
        Tokens(scanner);
    });
    EXPECT_NE(tooLarge.find("too large"), std::string::npos) << tooLarge;
    // A comment is skipped, not held, however long.
    const std::string comment = "<a><!--" + std::string(CXmlScanner::kMaxMarkup + 10, '-') + "x--></a>";
    CXmlScanner skipped(Pieces(comment, 65536), "p");
    EXPECT_EQ(Tokens(skipped), "start a\nend a\n");

    for (const char* bad : {"<a><b></a>", "<a>", "<a v=\"1>", "<a>&bogus;</a>", "<a>&#xD800</a>", "<!DOCTYPE a><a/>",
                            "<a><!-- open", "\xFF\xFE<a/>"}) {
        const std::string xml = bad;
        const std::string inMemory = Error([&] {
            CXmlScanner scanner(xml, "p");
            Tokens(scanner);
        });
        EXPECT_NE(inMemory, "no error") << bad;
        EXPECT_EQ(Error([&] {
                      CXmlScanner scanner(Pieces(xml, 1), "p");
                      Tokens(scanner);
                  }),
                  inMemory)
            << bad;
    }
}

}  // namespace
