// The editor's portable rules: built-in languages, main dialog geometry,
// tree targets and the new-word check.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "TestSupport.h"
#include "editor/BuiltInLanguageTable.h"
#include "editor/DictionaryDialogLayout.h"
#include "editor/MessageText.h"
#include "editor/NewWordRules.h"
#include "editor/TreeTarget.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryWord.h"

TEST(BuiltInLanguages, SixtyOneDistinctIdsInSeedingOrder) {
    ASSERT_EQ(BuiltInLanguageTable::size(), 61u);
    std::set<DWORD> distinct(BuiltInLanguageTable::begin(), BuiltInLanguageTable::end());
    EXPECT_EQ(distinct.size(), 61u);
    const DWORD* ids = BuiltInLanguageTable::begin();
    EXPECT_EQ(ids[0], 0x0436u);    // af-ZA first
    EXPECT_EQ(ids[9], 0x0804u);    // zh-CN 10th
    EXPECT_EQ(ids[15], 0x0809u);   // en-GB 16th
    EXPECT_EQ(ids[45], 0x0C1Au);   // sr-Cyrl-CS 46th
    EXPECT_EQ(ids[60], 0x0434u);   // xh-ZA last
    EXPECT_TRUE(BuiltInLanguageTable::Contains(2057));
    EXPECT_TRUE(BuiltInLanguageTable::Contains(2052));
    EXPECT_FALSE(BuiltInLanguageTable::Contains(1033));  // en-US keeps an editable ID
    EXPECT_FALSE(BuiltInLanguageTable::Contains(0x0800));
}

TEST(DictionaryDialogLayout, ChildrenFollowTheClientRectangle) {
    DictionaryDialogLayout layout = LayOutDictionaryDialog(PixelRect{0, 0, 800, 450});
    EXPECT_EQ(layout.tree, (PixelRect{5, 5, 205, 445}));
    EXPECT_EQ(layout.splitter, (PixelRect{206, 5, 211, 445}));
    EXPECT_EQ(layout.pageArea, (PixelRect{212, 5, 795, 415}));
    EXPECT_EQ(layout.cancelButton, (PixelRect{695, 420, 795, 445}));
    EXPECT_EQ(layout.okButton, (PixelRect{585, 420, 685, 445}));
    // An offset client rectangle moves everything with it.
    DictionaryDialogLayout moved = LayOutDictionaryDialog(PixelRect{10, 20, 810, 470});
    EXPECT_EQ(moved.tree.left, 15);
    EXPECT_EQ(moved.tree.top, 25);
    EXPECT_EQ(moved.okButton.top, 440);
}

TEST(TreeTarget, AnItemLiesUnderItselfAndItsAncestorsOnly) {
    // root ─ languages
    //      └ system ─ child ─ grandchild
    const std::map<int, int> parent = {{1, 0}, {2, 1}, {3, 1}, {4, 3}, {5, 4}};
    auto parentOf = [&](int item) { return parent.count(item) ? parent.at(item) : 0; };
    EXPECT_TRUE(LiesUnder(2, 2, parentOf));
    EXPECT_TRUE(LiesUnder(5, 3, parentOf));
    EXPECT_TRUE(LiesUnder(5, 1, parentOf));
    EXPECT_FALSE(LiesUnder(1, 3, parentOf));  // the root is under no page item
    EXPECT_FALSE(LiesUnder(5, 2, parentOf));
    EXPECT_FALSE(LiesUnder(0, 1, parentOf));  // no hit
    EXPECT_FALSE(LiesUnder(5, 0, parentOf));  // no target (project item absent)
}

TEST(NewWordRules, EmptyAndKnownTextsAreRefusedInAnyLetterCase) {
    CQorDictionaryWord list;
    auto* known = new CQorDictWordElement;
    known->SetOriginalCharacter(S("New string"));
    ASSERT_EQ(list.AddWord(known), 1);

    EXPECT_EQ(CheckNewWord(S(""), &list), NewWordCheck::kEmpty);
    EXPECT_EQ(CheckNewWord(S(""), nullptr), NewWordCheck::kEmpty);
    EXPECT_EQ(CheckNewWord(S("NEW STRING"), &list), NewWordCheck::kAlreadyKnown);
    EXPECT_EQ(CheckNewWord(S("New string"), nullptr), NewWordCheck::kAccepted);
    EXPECT_EQ(CheckNewWord(S("   "), &list), NewWordCheck::kAccepted);  // blanks are text
    // The whole text counts, line breaks included.
    EXPECT_EQ(CheckNewWord(S("New string\r\n"), &list), NewWordCheck::kAccepted);
    EXPECT_EQ(CheckNewWord(S("New strings"), &list), NewWordCheck::kAccepted);
}

TEST(MessageText, TheValueGoesInPlaceOfTheInsertionPointAndNothingElseIsRead) {
    const CString value = S("Motor");
    EXPECT_EQ(InsertIntoMessage(S("错误，对象'%s'已经存在."), value), S("错误，对象'Motor'已经存在."));
    EXPECT_EQ(InsertIntoMessage(S("确认要删除%d个对象吗 ?"), S("3")), S("确认要删除3个对象吗 ?"));
    EXPECT_EQ(InsertIntoMessage(S("%ld / %u / %1"), value), S("Motor / Motor / Motor"));
    EXPECT_EQ(InsertIntoMessage(S("100%% of %s"), value), S("100% of Motor"));
    // What a translator might write by mistake is shown, never formatted.
    EXPECT_EQ(InsertIntoMessage(S("%x %n %5.2f %"), value), S("%x %n %5.2f %"));
    EXPECT_EQ(InsertIntoMessage(S("%s%s"), S("%d")), S("%d%d")) << "the value itself is not scanned";
}
