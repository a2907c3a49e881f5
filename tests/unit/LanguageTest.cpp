#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "TestSupport.h"
#include "base/FontHandle.h"
#include "model/QorDictWordElement.h"
#include "model/QorLanguageDict.h"

namespace {

CQorDictWordElement* NewEntry(const char* original, const char* display) {
    auto* entry = new CQorDictWordElement;
    entry->SetOriginalCharacter(S(original));
    entry->SetDisplayCharacter(S(display));
    return entry;
}

CString FaceName(const LOGFONTW& font) { return CString(font.lfFaceName); }

}  // namespace

TEST(Language, FreshLanguageHasTheDefaults) {
    CQorLanguageDict language;
    EXPECT_EQ(language.GetLanguageID(), LANGID_NONE);
    EXPECT_EQ(language.IsEnable(), 0);
    EXPECT_EQ(language.GetFontPointSize(), 110);
    EXPECT_EQ(language.GetFontColor(), 0u);
    EXPECT_EQ(language.GetFontSafeHwnd(), nullptr);
    LOGFONTW font;
    std::memset(&font, 0xCC, sizeof font);
    language.GetFont(font);
    EXPECT_EQ(FaceName(font), S("Times New Roman"));
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfCharSet, 134);
    EXPECT_EQ(font.lfItalic | font.lfUnderline | font.lfStrikeOut | font.lfQuality, 0);
    for (int i = 15; i < LF_FACESIZE; ++i) EXPECT_EQ(font.lfFaceName[i], 0) << i;
}

TEST(Language, DisplayStringNeedsAnEnabledLanguageAndTheRightMode) {
    CQorLanguageDict language;
    language.AddWord(DICTMODE_SYSTEM, NewEntry("File", "Datei"));
    language.AddWord(DICTMODE_PROJECT, NewEntry("Motor", "Antrieb"));
    // Disabled: words are stored but not used.
    EXPECT_EQ(language.GetDisplayCharacter(DICTMODE_SYSTEM, S("file")), S("file"));
    EXPECT_NE(language.FindWord(DICTMODE_SYSTEM, S("FILE")), nullptr);
    language.SetEnable(1);
    EXPECT_EQ(language.GetDisplayCharacter(DICTMODE_SYSTEM, S("file")), S("Datei"));
    EXPECT_EQ(language.GetDisplayCharacter(DICTMODE_PROJECT, S("file")), S("file"));
    EXPECT_EQ(language.GetDisplayCharacter(DICTMODE_PROJECT, S("motor")), S("Antrieb"));
    EXPECT_EQ(language.GetDisplayCharacter(DICTMODE_SYSTEM, S("motor")), S("motor"));
    EXPECT_EQ(language.GetDisplayCharacter(DICTMODE(2), S("file")), S("file"));
}

TEST(Language, UnknownModeRefusesEveryWordOperation) {
    CQorLanguageDict language;
    std::unique_ptr<CQorDictWordElement> entry(NewEntry("x", "y"));
    EXPECT_EQ(language.AddWord(DICTMODE(2), entry.get()), 0);
    EXPECT_EQ(language.FindWord(DICTMODE(-1), S("x")), nullptr);
    EXPECT_EQ(language.RemoveWord(DICTMODE(2), S("x")), 0);
    EXPECT_EQ(language.RemoveAllWord(DICTMODE(2)), 0);
    EXPECT_EQ(language.RenameOriginalCharacter(DICTMODE(2), S("x"), S("z")), 0);
    EXPECT_EQ(language.GetDictionaryList(DICTMODE(2)), nullptr);
}

TEST(Language, RemoveAllWordClearsOneModeOnly) {
    CQorLanguageDict language;
    EXPECT_EQ(language.RemoveAllWord(DICTMODE_SYSTEM), 1);  // already empty
    language.AddWord(DICTMODE_SYSTEM, NewEntry("a", "1"));
    language.AddWord(DICTMODE_PROJECT, NewEntry("a", "2"));
    EXPECT_EQ(language.RemoveAllWord(DICTMODE_SYSTEM), 1);
    EXPECT_EQ(language.FindWord(DICTMODE_SYSTEM, S("a")), nullptr);
    ASSERT_NE(language.FindWord(DICTMODE_PROJECT, S("a")), nullptr);
    EXPECT_EQ(language.FindWord(DICTMODE_PROJECT, S("a"))->GetDisplayCharacter(), S("2"));
}

TEST(Language, AssignmentCopiesEverythingButKeepsAnExistingFontHandle) {
    CQorLanguageDict source;
    source.SetLanguageID(2052);
    source.SetEnable(1);
    source.SetFontColor(0x00FF00);
    source.SetFontPointSize(90);
    LOGFONTW font;
    source.GetFont(font);
    std::memcpy(font.lfFaceName, QSTR("SimSun"), 14);
    font.lfHeight = -20;
    source.SetFont(font);
    source.AddWord(DICTMODE_SYSTEM, NewEntry("文件", "File"));

    CQorLanguageDict fresh;
    fresh = source;
    EXPECT_NE(fresh.GetFontSafeHwnd(), nullptr);  // created from the copied record

    CQorLanguageDict target;
    LOGFONTW before;
    target.GetFont(before);
    HFONT own = QorCreateFont(before);
    target.SetFontSafeHwnd(own);
    target = source;
    EXPECT_EQ(target.GetFontSafeHwnd(), own);
    LOGFONTW after;
    target.GetFont(after);
    EXPECT_EQ(FaceName(after), S("SimSun"));
    EXPECT_EQ(after.lfHeight, -20);
    EXPECT_EQ(target.GetLanguageID(), 2052u);
    EXPECT_EQ(target.GetFontColor(), 0x00FF00u);
    EXPECT_EQ(target.GetFontPointSize(), 90);
    EXPECT_EQ(target.GetDisplayCharacter(DICTMODE_SYSTEM, S("文件")), S("File"));
    // The copy's entries are its own.
    target.FindWord(DICTMODE_SYSTEM, S("文件"))->SetDisplayCharacter(S("Changed"));
    EXPECT_EQ(source.GetDisplayCharacter(DICTMODE_SYSTEM, S("文件")), S("File"));

    // Copy construction gives an independent language; both destruct cleanly
    // (the sanitizer run catches a double delete of lists or fonts).
    CQorLanguageDict copy(target);
    EXPECT_EQ(copy.GetDisplayCharacter(DICTMODE_SYSTEM, S("文件")), S("Changed"));
    EXPECT_NE(copy.GetFontSafeHwnd(), own);
}
