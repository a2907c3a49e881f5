#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "checks/TranslationCheck.h"
#include "checks/UiTextTokens.h"

namespace {

struct Case {
    const char* original;
    const char* translation;
    const char* expected;  // "severity: message" lines joined by '|', "" for none
};

std::string Findings(const CString& original, const CString& translation, const CCheckContext& context = {}) {
    std::string joined;
    for (const CCheckFinding& finding : QorCheckTranslation(original, translation, context))
        joined += (joined.empty() ? "" : "|") + std::string(QorCheckSeverityName(finding.severity)) + ": " +
                  finding.message.ToUtf8();
    return joined;
}

void Expect(const std::vector<Case>& cases) {
    for (const Case& c : cases)
        EXPECT_EQ(Findings(S(c.original), S(c.translation)), c.expected) << c.original << " -> " << c.translation;
}

}  // namespace

TEST(TranslationCheck, PrintfConversionsKeepTheirTypesInOrder) {
    Expect({
        {"确认要删除%d个对象吗 ?", "Delete %d words?", ""},
        {"%-5.2f%%", "%5.1f %%", ""},        // width and precision are the translator's
        {"%I64d bytes", "%lld Bytes", ""},    // the same argument, spelled two ways
        {"%I32u", "%u", ""},
        {"%ws", "%ls", ""},
        {"50% off", "50 % Rabatt", ""},      // a percent sign in prose is no conversion
        {"确认要删除%d个对象吗 ?", "%s Wörter löschen?", "error: placeholder %d became %s"},
        {"%d of %s", "%s von %d", "error: placeholder order differs: %d %s became %s %d"},
        {"%d/%d", "%d", "error: missing placeholder %d"},
        {"%s", "%s %s", "error: extra placeholder %s"},
        {"%.*s", "%s", "error: placeholder %.*s became %s"},
        {"%hs", "%s", "error: placeholder %hs became %s"},
        {"%zu", "%u", "error: placeholder %zu became %u"},
        {"%x%s", "%d%s", "error: placeholder %x became %d"},
        {"100%%", "100 %", "error: missing placeholder %%"},
        {"%d", "%d%%", "error: extra placeholder %%"},
        {"%d %s %f", "%s %f", "error: missing placeholder %d"},
    });
}

TEST(TranslationCheck, InsertsMayMoveButNotGoOrChangeType) {
    Expect({
        {"正在导入 '%1' ...", "Importing '%1'...", ""},
        {"%1 of %2", "%2 von %1", ""},
        {"%1 and %1", "%1", ""},
        {"%1 files", "%1!s! Dateien", ""},  // a bare insert reads a string
        {"{0} of {1}", "{1} von {0}", ""},
        {"{0:N2} MB", "{0} MB", ""},        // braces format, they do not type
        {"%1!d! items", "%1!s! Elemente", "error: placeholder %1!d! became %1!s!"},
        {"{0}", "{{0}}", "error: missing placeholder {0}"},
        {"%1", "%2", "error: missing placeholder %1|error: extra placeholder %2"},
        {"%10 x", "%1 x", "error: missing placeholder %10|error: extra placeholder %1"},
        {"{0} %1", "%1 {1}", "error: missing placeholder {0}|error: extra placeholder {1}"},
    });
}

TEST(TranslationCheck, AcceleratorsAndTheShortcutAfterATab) {
    Expect({
        {"文件(&F)", "&File", ""},
        {"另存为(&A)...", "Speichern &unter...", ""},
        {"打开(&O)...", "Ö&ffnen...", ""},
        {"R&&D", "F&&E", ""},
        {"R&&D", "F&E", "error: accelerator count differs"},
        {"文件(&F)", "File", "error: accelerator count differs"},
        {"&File", "&Da&tei", "error: accelerator count differs"},
        {"&File", "Datei &", "error: accelerator at the end"},
        {"&File", "& Datei", "error: accelerator before a space"},
        {"Tom && Jerry", "Tom & Jerry", "error: accelerator before a space"},
        {"&\xF0\x9F\x98\x80 Smile", "&\xF0\x9F\x98\x80 L\xC3\xA4" "cheln", ""},  // a marked surrogate pair
        {"&Open\tCtrl+O", "Ö&ffnen\tCtrl+O", ""},
        {"&Open\tCtrl+O", "Ö&ffnen\tStrg+O", "error: accelerator text Ctrl+O became Strg+O"},
        {"&Open\tCtrl+O", "Ö&ffnen", "error: missing accelerator text Ctrl+O|error: tab count differs"},
        {"&Delete\tDel", "&Löschen\tEntf", "error: accelerator text Del became Entf"},
        {"Name\tValue", "Name\tWert", ""},  // a second column, not a key
    });
}

TEST(TranslationCheck, WhiteSpaceLineBreaksAndTabs) {
    Expect({
        {"单位制: ", "Units: ", ""},
        {"单位制: ", "Units:", "error: trailing white space differs"},
        {"  缩进", "Indented", "error: leading white space differs"},
        {"\xE3\x80\x80全角", " x", "error: leading white space differs"},
        {"第一行\r\n第二行", "Line 1\nLine 2", "error: line break style differs"},
        {"a\nb\nc", "x\ny", "error: line break count differs"},
        {"a\tb", "x y", "error: tab count differs"},
        {"  ", "  ", ""},
    });
}

TEST(TranslationCheck, WarningsUnchangedUntranslatedAndLong) {
    Expect({
        {"OK", "OK", "warning: translation equal to the original"},
        {"%d%%", "%d%%", ""},  // nothing in it to translate
        {"...", "...", ""},
        // Widths in columns: CJK and emoji take two, a surrogate pair is one
        // character, an accelerator's & is none.
        {"设置", "Settings", ""},
        {"设置", "Einstellungen", "warning: more than 3 times as wide as the original (13 columns against 4)"},
        {"\xF0\x9F\x98\x80\xF0\x9F\x98\x80", "abcdefghijkl", ""},
        {"\xF0\x9F\x98\x80\xF0\x9F\x98\x80", "abcdefghijklm",
         "warning: more than 3 times as wide as the original (13 columns against 4)"},
        {"ab", "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80", ""},
        {"ab", "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80",
         "warning: more than 3 times as wide as the original (8 columns against 2)"},
        {"&OK", "&Okay12", ""},
        {"&OK", "&Okay123", "warning: more than 3 times as wide as the original (7 columns against 2)"},
        {"&File %d", "", ""},  // an empty translation shows the original: nothing breaks
    });
    CCheckContext elsewhere;
    elsewhere.translatedElsewhere = true;
    EXPECT_EQ(Findings(S("保存"), CString(), elsewhere), "warning: empty translation; other languages have one");
    elsewhere.hasEntry = false;
    EXPECT_EQ(Findings(S("保存"), CString(), elsewhere), "warning: no translation; other languages have one");
    EXPECT_EQ(Findings(S("保存"), S("Save"), elsewhere), "");
}

TEST(UiTextTokens, KindsAndShownLength) {
    const CString text = S("%-5.2f %1!d! {0} && &x & %% {{1}} 50% \xF0\x9F\x98\x80\tCtrl+O");
    std::string kinds;
    for (const CUiToken& token : QorTokenizeUiText(text))
        kinds += "TPpIAaSK"[int(token.kind)];
    EXPECT_EQ(kinds, "PTITITaTATSTpTK");
    // "&x" shows one character, "&&" one, the emoji one.
    EXPECT_EQ(QorShownLength(text), text.GetLength() - 3);
    EXPECT_EQ(QorShownLength(S("&&")), 1);
    EXPECT_EQ(QorShownLength(S("a&")), 2);
    EXPECT_EQ(QorShownLength(S("&\xF0\x9F\x98\x80")), 1);  // the marked character is the whole pair
    EXPECT_EQ(QorShownWidth(S("&\xF0\x9F\x98\x80")), 2);
    EXPECT_EQ(QorShownWidth(S("文件(&F)...")), 4 + 6);
}
