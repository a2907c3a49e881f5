// PO and XLIFF catalogues: what is written reads back exactly, the forms other
// tools write are read, and damaged files are refused with the reason.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "catalogs/PoReader.h"
#include "catalogs/PoWriter.h"
#include "catalogs/XliffReader.h"
#include "catalogs/XliffWriter.h"

namespace {

CString Units(std::initializer_list<unsigned> units) {
    std::vector<WCHAR> text;
    for (unsigned unit : units) text.push_back(WCHAR(unit));
    return CString(text.data(), int(text.size()));
}

CCatalogMessage Message(const CString& original, const CString& translation) {
    CCatalogMessage message;
    message.original = original;
    message.translation = translation;
    return message;
}

// Texts every format has to keep, each as original and as translation.
CCatalog TrickyCatalog() {
    CCatalog catalog;
    catalog.sourceLanguage = S("zh-CN");
    catalog.targetLanguage = S("de-DE");
    catalog.messages = {
        Message(S("tab\there"), S("Tab\tda")),
        Message(S("two\nlines\n"), S("zwei\nZeilen\n")),
        Message(S("end\n"), S("Ende\n")),
        Message(S("\nlead and CR\r\nend"), S("\nvorn und CR\r\nEnde")),
        Message(S("say \"hi\" \\ back\\"), S("sag \"hallo\" \\ zurück\\")),
        Message(S("music 𝄞 and 😀"), S("Musik 𝄞 und 😀")),
        Message(S("bell \x01 and del \x7f"), S("Glocke \x01 und Entf \x7f")),
        Message(S("untranslated"), CString()),
        Message(S("<a href=\"x\">&amp;</a> ]]>"), S("<b>&lt;</b> ]]>")),
    };
    catalog.messages[1].updated = COleDateTime(2026, 12, 7, 10, 0, 5);
    catalog.messages[3].fuzzy = true;
    catalog.messages[4].cFormat = true;
    return catalog;
}

void ExpectSameMessages(const CCatalog& read, const CCatalog& written, bool withFlags) {
    ASSERT_EQ(read.messages.size(), written.messages.size());
    for (std::size_t i = 0; i < read.messages.size(); ++i) {
        const CCatalogMessage& a = read.messages[i];
        const CCatalogMessage& b = written.messages[i];
        EXPECT_EQ(a.original, b.original) << i;
        EXPECT_EQ(a.translation, b.translation) << i;
        EXPECT_EQ(a.updated, b.updated) << i;
        if (withFlags) {
            EXPECT_EQ(a.fuzzy, b.fuzzy) << i;
            EXPECT_EQ(a.cFormat, b.cFormat) << i;
        }
    }
}

// Why a reader refuses the text, or "read without error".
template <typename Reader>
std::string Refusal(Reader read, const std::string& text) {
    try {
        read(text);
        return "read without error";
    } catch (const CCatalogException& e) {
        return e.GetReason();
    }
}

const char kPoHeader[] = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";

const char kXliffRoot[] =
    "<xliff version=\"2.0\" xmlns=\"urn:oasis:names:tc:xliff:document:2.0\" srcLang=\"zh-CN\" trgLang=\"de-DE\">";

std::string Xliff(const std::string& units, const std::string& root = kXliffRoot) {
    return "<?xml version=\"1.0\"?>" + root + "<file id=\"f\">" + units + "</file></xliff>";
}

TEST(PoFile, WritesEscapesAndFlagsAndReadsThemBack) {
    const CCatalog catalog = TrickyCatalog();
    const std::string po = QorWritePo(catalog);
    EXPECT_NE(po.find("\"Language: de-DE\\n\"\n\"MIME-Version"), std::string::npos);
    EXPECT_NE(po.find("msgid \"say \\\"hi\\\" \\\\ back\\\\\"\n"), std::string::npos);
    // A break before the end starts a continuation line; one at the end does not.
    EXPECT_NE(po.find("msgid \"end\\n\"\nmsgstr \"Ende\\n\"\n"), std::string::npos);
    EXPECT_NE(po.find("msgid \"\"\n\"two\\n\"\n\"lines\\n\"\nmsgstr"), std::string::npos);
    EXPECT_NE(po.find("msgid \"\"\n\"\\n\"\n\"lead and CR\\r\\n\"\n\"end\"\n"), std::string::npos);
    EXPECT_NE(po.find("#. updated 2026-12-07T10:00:05\nmsgid \"\"\n\"two"), std::string::npos);
    EXPECT_NE(po.find("#, fuzzy\nmsgid \"\"\n\"\\n\"\n\"lead"), std::string::npos);
    EXPECT_NE(po.find("bell \x01 and del \x7f"), std::string::npos);  // raw, as msgcat writes them

    EXPECT_FALSE(QorPoCanHold(Units({'a', 0, 'b'})));
    EXPECT_FALSE(QorPoCanHold(Units({'a', 0xD834})));
    EXPECT_FALSE(QorPoCanHold(Units({0xDD1E, 'a'})));

    const CCatalog read = QorReadPo(po);
    EXPECT_EQ(read.targetLanguage, S("de-DE"));
    EXPECT_EQ(read.sourceLanguage, S("zh-CN"));
    ExpectSameMessages(read, catalog, true);
}

TEST(PoFile, ReadsWhatGettextToolsWrite) {
    const std::string po =
        "\xEF\xBB\xBF# translator's comment\r\n"
        "msgid \"\"\r\n"
        "msgstr \"\"\r\n"
        "\"Project-Id-Version: x\\n\"\r\n"
        "\"Language: de_DE\\n\"\r\n"
        "\"Content-Type: text/plain; charset=utf-8\\n\"\r\n"
        "\r\n"
        "#: src/main.c:12\n"
        "#, fuzzy, c-format\n"
        "#| msgid \"old\"\n"
        "msgid \"Open \"\n"
        "  \"%s\"\n"
        "msgstr \"\"\n"
        "\"\\303\\266ffne \\x25s\\a\\?\\'\"\n"
        "\n"
        "#, fuzzy\n"
        "#~ msgid \"gone\"\n"
        "#~ msgstr \"weg\"\n"
        "\n"
        "#. updated 2025-01-02T03:04:05\n"
        "#. another note\n"
        "msgid \"Save\"\n"
        "msgstr \"Speichern\"";
    const CCatalog read = QorReadPo(po);
    EXPECT_EQ(read.targetLanguage, S("de_DE"));
    ASSERT_EQ(read.messages.size(), 2u);
    EXPECT_EQ(read.messages[0].original, S("Open %s"));
    EXPECT_EQ(read.messages[0].translation, S("öffne %s\a?'"));
    EXPECT_TRUE(read.messages[0].fuzzy);
    EXPECT_TRUE(read.messages[0].cFormat);
    EXPECT_EQ(read.messages[0].line, 8);
    // The obsolete message's flag stays with it.
    EXPECT_EQ(read.messages[1].original, S("Save"));
    EXPECT_FALSE(read.messages[1].fuzzy);
    EXPECT_EQ(read.messages[1].updated, COleDateTime(2025, 1, 2, 3, 4, 5));
}

TEST(PoFile, RefusesWhatADictionaryCannotTakeNamingTheLine) {
    const std::string h = kPoHeader;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {h + "msgctxt \"menu\"\nmsgid \"Open\"\nmsgstr \"\"\n", "line 4: the message has a context (msgctxt)"},
        {h + "msgid \"file\"\nmsgid_plural \"files\"\nmsgstr[0] \"\"\n", "line 5: the message has plural forms"},
        {h + "msgid \"a\"\nmsgstr[0] \"b\"\n", "line 5: the message has plural forms"},
        {h + "msgid \"a\\q\"\nmsgstr \"\"\n", "line 4: unknown escape sequence \\q"},
        {h + "msgid \"a\nmsgstr \"\"\n", "line 4: the string has no closing quote"},
        {h + "msgid \"a\\0b\"\nmsgstr \"\"\n", "line 4: a NUL character"},
        {h + "msgid \"a" + '\0' + "b\"\nmsgstr \"\"\n", "line 4: a NUL character"},
        {h + "msgid \"a\\400\"\nmsgstr \"\"\n", "line 4: an escape sequence names no byte"},
        {h + "msgid \"a\" x\nmsgstr \"\"\n", "line 4: text after the closing quote"},
        {h + "msgid a\nmsgstr \"\"\n", "line 4: a string has to be in double quotes"},
        {h + "msgid \"\\377\"\nmsgstr \"\"\n", "line 4: the message is not valid UTF-8"},
        {h + "msgid \"a\"\nmsgstr \"b\"\n\nmsgid \"a\"\nmsgstr \"c\"\n", "line 7: the msgid of line 4 once more"},
        {h + "msgstr \"b\"\n", "line 4: a msgstr without its msgid"},
        {h + "msgid \"a\"\n", "line 4: the message has a msgid but no msgstr"},
        {h + "msgid \"a\"\nmsgstr \"b\"\n\"\"\nmsgtxt \"c\"\n", "line 7: \"msgtxt\" is not a PO keyword"},
        {h + "# comment\n\"stray\"\n", "line 5: a string that belongs to no msgid or msgstr"},
        {"msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n",
         "line 1: the file is in ISO-8859-1; only UTF-8 PO files are read"},
    };
    for (const auto& c : cases) EXPECT_EQ(Refusal(QorReadPo, c.first).substr(0, c.second.size()), c.second);
}

TEST(XliffFile, WritesEveryTextSoThatItReadsBackExactly) {
    CCatalog catalog = TrickyCatalog();
    // XML has no place for these; <cp> carries them.
    catalog.messages.push_back(Message(Units({'n', 0, 'u', 0x0B, 'l'}), Units({0xD800, 'x', 0xDFFF, 0xFFFE})));
    const std::string xliff = QorWriteXliff(catalog, "system");
    EXPECT_NE(xliff.find("<xliff version=\"2.0\" xmlns=\"urn:oasis:names:tc:xliff:document:2.0\" srcLang=\"zh-CN\" "
                         "trgLang=\"de-DE\">"),
              std::string::npos);
    EXPECT_NE(xliff.find("<source>&lt;a href=\"x\"&gt;&amp;amp;&lt;/a&gt; ]]&gt;</source>"), std::string::npos);
    EXPECT_NE(xliff.find("CR&#xD;\nend</source>"), std::string::npos);
    EXPECT_NE(xliff.find("<source>n<cp hex=\"0000\"/>u<cp hex=\"000B\"/>l</source>"), std::string::npos);
    EXPECT_NE(xliff.find("<segment>\n    <source>untranslated</source>\n   </segment>"), std::string::npos);

    const CCatalog read = QorReadXliff(xliff);
    EXPECT_EQ(read.sourceLanguage, S("zh-CN"));
    EXPECT_EQ(read.targetLanguage, S("de-DE"));
    ExpectSameMessages(read, catalog, false);
}

TEST(XliffFile, JoinsSegmentsAndReadsGroupsSkippingOtherModules) {
    const CCatalog read = QorReadXliff(Xliff(
        "<group id=\"g\"><unit id=\"1\"><mda:metadata xmlns:mda=\"urn:oasis:names:tc:xliff:metadata:2.0\">"
        "<mda:meta type=\"x\">not text</mda:meta></mda:metadata>"
        "<segment><source>One.</source><target>Eins.</target></segment><ignorable><source> </source></ignorable>"
        "<segment><source><![CDATA[Two & <three>]]></source><target>Zwei<cp hex=\"1F600\"/></target></segment>"
        "</unit></group><unit id=\"2\"><segment><source>Alone</source></segment></unit>"));
    ASSERT_EQ(read.messages.size(), 2u);
    EXPECT_EQ(read.messages[0].original, S("One. Two & <three>"));
    EXPECT_EQ(read.messages[0].translation, S("Eins. Zwei😀"));
    EXPECT_EQ(read.messages[1].original, S("Alone"));
    EXPECT_TRUE(read.messages[1].translation.IsEmpty());
}

TEST(XliffFile, RefusesWhatItCannotReadWhole) {
    const std::string unit = "<unit id=\"u7\"><segment><source>a</source><target>";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {Xliff(unit + "b <ph id=\"1\"/></target></segment></unit>"),
         "the XLIFF file has inline markup <ph> in the target of unit \"u7\""},
        {Xliff("<unit id=\"u8\"><segment><source><pc id=\"1\">bold</pc></source></segment></unit>"),
         "the XLIFF file has inline markup <pc> in the source of unit \"u8\""},
        {Xliff(unit + "b</target></segment><segment><source>c</source></segment></unit>"),
         "the XLIFF file has a target in some segments of unit \"u7\" only"},
        {Xliff(unit + "<cp hex=\"11FFFF\"/></target></segment></unit>"), "the XLIFF file has a malformed <cp>"},
        {Xliff(unit + "b</segment></unit>"), "the XLIFF file has mismatched XML tags"},
        {Xliff("", "<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">"),
         "the XLIFF file is XLIFF 1.2; only XLIFF 2"},
        {"<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY e \"boom\">]><xliff/>",
         "the XLIFF file declares a document type or entities"},
        {"<html><body/></html>", "the XLIFF file is not XLIFF: its root element is <html>"},
        {Xliff(unit + "\xC3(</target></segment></unit>"), "the XLIFF file is not valid UTF-8"},
        {"\xFF\xFE<\0x\0", "the XLIFF file is in UTF-16"},
        {"", "the XLIFF file has no XLIFF element"},
    };
    for (const auto& c : cases) EXPECT_EQ(Refusal(QorReadXliff, c.first).substr(0, c.second.size()), c.second);
}

}  // namespace
