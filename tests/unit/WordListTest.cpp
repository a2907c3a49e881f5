#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>

#include "TestSupport.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryWord.h"

namespace {

CQorDictWordElement* NewEntry(const char* original, const char* display = "") {
    auto* entry = new CQorDictWordElement;
    entry->SetOriginalCharacter(S(original));
    entry->SetDisplayCharacter(S(display));
    return entry;
}

std::vector<std::string> Originals(CQorDictionaryWord& list) {
    std::vector<std::string> out;
    auto* entries = list.GetDictionaryList();
    for (POSITION pos = entries->GetHeadPosition(); pos;) out.push_back(entries->GetNext(pos)->GetOriginalCharacter().ToUtf8());
    return out;
}

}  // namespace

TEST(WordListKeys, LetterCaseOfAsciiOnlyIsIgnored) {
    CQorDictionaryWord list;
    CQorDictWordElement* open = NewEntry("Open File", "Datei öffnen");
    ASSERT_EQ(list.AddWord(open), 1);
    EXPECT_EQ(list.FindWord(S("open file")), open);
    EXPECT_EQ(list.FindWord(S("OPEN FILE")), open);
    // A second spelling is refused; the caller keeps and deletes it.
    std::unique_ptr<CQorDictWordElement> twin(NewEntry("OPEN file", "other"));
    EXPECT_EQ(list.AddWord(twin.get()), 0);
    EXPECT_EQ(list.FindWord(S("Open File"))->GetDisplayCharacter(), S("Datei öffnen"));
    // Only a-z fold: accented, full-width and other scripts are distinct keys.
    ASSERT_EQ(list.AddWord(NewEntry("é")), 1);
    EXPECT_EQ(list.FindWord(S("É")), nullptr);
    ASSERT_EQ(list.AddWord(NewEntry("ａ")), 1);
    EXPECT_EQ(list.FindWord(S("Ａ")), nullptr);
    // No trimming or normalisation.
    EXPECT_EQ(list.FindWord(S(" Open File")), nullptr);
    EXPECT_EQ(list.FindWord(S("Open File ")), nullptr);
    EXPECT_EQ(list.FindWord(S("Open  File")), nullptr);
    EXPECT_EQ(list.FindWord(CString()), nullptr);
}

TEST(WordListOwnership, RefusalsLeaveTheEntryWithTheCaller) {
    CQorDictionaryWord list, other;
    EXPECT_EQ(list.AddWord(nullptr), 0);
    std::unique_ptr<CQorDictWordElement> empty(new CQorDictWordElement);
    EXPECT_EQ(list.AddWord(empty.get()), 0);
    EXPECT_EQ(list.GetDictionaryList()->GetCount(), 0);

    CQorDictWordElement* mine = NewEntry("mine");
    CQorDictWordElement* theirs = NewEntry("theirs");
    ASSERT_EQ(list.AddWord(mine), 1);
    ASSERT_EQ(other.AddWord(theirs), 1);
    EXPECT_EQ(list.RemoveWord(theirs), 0);
    EXPECT_EQ(other.FindWord(S("theirs")), theirs);
    EXPECT_EQ(list.RemoveWord(nullptr), 0);
    EXPECT_EQ(list.RemoveWord(S("nothing")), 0);
    EXPECT_EQ(list.RemoveWord(S("MINE")), 1);
    EXPECT_EQ(list.FindWord(S("mine")), nullptr);
    EXPECT_EQ(list.GetDictionaryList()->GetCount(), 0);
}

TEST(WordListDisplay, FallsBackToTheGivenText) {
    CQorDictionaryWord list;
    list.AddWord(NewEntry("Save", "Speichern"));
    list.AddWord(NewEntry("Close", ""));
    EXPECT_EQ(list.GetDisplayCharacter(S("save")), S("Speichern"));
    EXPECT_EQ(list.GetDisplayCharacter(S("cLOSE")), S("cLOSE"));
    EXPECT_EQ(list.GetDisplayCharacter(S("Unknown")), S("Unknown"));
    EXPECT_EQ(list.GetDisplayCharacter(CString()), CString());
}

TEST(WordListRename, FollowsTheIndexRulesIncludingItsGaps) {
    CQorDictionaryWord list;
    CQorDictWordElement* a = NewEntry("alpha", "A");
    CQorDictWordElement* b = NewEntry("beta", "B");
    list.AddWord(a);
    list.AddWord(b);
    EXPECT_EQ(list.RenameOriginalCharacter(a, S("alpha")), 0);
    EXPECT_EQ(list.RenameOriginalCharacter(nullptr, S("x")), 0);
    EXPECT_EQ(list.RenameOriginalCharacter(S("missing"), S("x")), 0);
    // A change of letter case goes through and the entry stays findable.
    EXPECT_EQ(list.RenameOriginalCharacter(a, S("Alpha")), 1);
    EXPECT_EQ(a->GetOriginalCharacter(), S("Alpha"));
    EXPECT_EQ(list.FindWord(S("ALPHA")), a);
    // Renaming onto another entry's key takes the key over; both stay listed.
    EXPECT_EQ(list.RenameOriginalCharacter(S("alpha"), S("BETA")), 1);
    EXPECT_EQ(list.FindWord(S("beta")), a);
    EXPECT_EQ(list.FindWord(S("alpha")), nullptr);
    EXPECT_EQ(Originals(list), (std::vector<std::string>{"BETA", "beta"}));
    // Changing an entry's text behind the list's back leaves the old key.
    CQorDictWordElement* c = NewEntry("gamma");
    list.AddWord(c);
    c->SetOriginalCharacter(S("delta"));
    EXPECT_EQ(list.FindWord(S("delta")), nullptr);
    EXPECT_EQ(list.FindWord(S("gamma")), c);
    EXPECT_EQ(list.RemoveWord(c), 1);  // removal by pointer still works
    EXPECT_EQ(list.GetDictionaryList()->GetCount(), 2);
}

TEST(WordListAssignment, CopiesDeeplyWithoutChecks) {
    CQorDictionaryWord source;
    CQorDictWordElement* one = NewEntry("one", "eins");
    one->SetUpdateDateTime(COleDateTime(44000.25, COleDateTime::invalid));
    source.AddWord(one);
    source.AddWord(NewEntry("two", "zwei"));
    source.AddWord(NewEntry("three", "drei"));
    CQorDictionaryWord copy;
    copy.AddWord(NewEntry("old"));
    copy = source;
    EXPECT_EQ(Originals(copy), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(copy.FindWord(S("old")), nullptr);
    CQorDictWordElement* copied = copy.FindWord(S("ONE"));
    ASSERT_NE(copied, nullptr);
    EXPECT_NE(copied, one);
    EXPECT_EQ(copied->GetUpdateDateTime(), one->GetUpdateDateTime());
    copied->SetDisplayCharacter(S("changed"));
    EXPECT_EQ(one->GetDisplayCharacter(), S("eins"));

    // A source broken by renames is copied as it is: later duplicates win the index.
    source.RenameOriginalCharacter(S("two"), S("ONE"));
    copy = source;
    EXPECT_EQ(copy.GetDictionaryList()->GetCount(), 3);
    EXPECT_EQ(copy.FindWord(S("one"))->GetDisplayCharacter(), S("zwei"));
}

TEST(WordListIndex, AgreesWithAnOrderedMapUnderRandomChanges) {
    // The index must give exactly the answers of a map keyed by the upper-cased
    // text, through adds, removals and renames in any order.
    std::mt19937 random(12345);
    const char* alphabet[] = {"a", "A", "b", "B", "é", "中", " ", "_"};
    auto randomText = [&] {
        std::string text;
        int length = 1 + int(random() % 3);
        for (int i = 0; i < length; ++i) text += alphabet[random() % 8];
        return S(text.c_str());
    };
    auto key = [](CString text) { return text.MakeUpper(); };
    CQorDictionaryWord list;
    std::map<CString, CQorDictWordElement*> reference;
    for (int step = 0; step < 20000; ++step) {
        CString text = randomText();
        switch (random() % 3) {
        case 0: {
            auto* entry = new CQorDictWordElement;
            entry->SetOriginalCharacter(text);
            bool expected = reference.find(key(text)) == reference.end();
            ASSERT_EQ(list.AddWord(entry), expected ? 1 : 0);
            if (expected) reference[key(text)] = entry;
            else delete entry;
            break;
        }
        case 1: {
            auto found = reference.find(key(text));
            ASSERT_EQ(list.RemoveWord(text), found != reference.end() ? 1 : 0);
            if (found != reference.end()) reference.erase(found);
            break;
        }
        default: {
            auto found = reference.find(key(text));
            if (found == reference.end()) break;
            CString renamed = randomText();
            // Renames onto another live key would leave an unreachable entry
            // that the reference cannot remove; keep the list consistent.
            if (reference.count(key(renamed)) && key(renamed) != key(text)) break;
            CQorDictWordElement* entry = found->second;
            int expected = entry->GetOriginalCharacter().Compare(renamed) == 0 ? 0 : 1;
            ASSERT_EQ(list.RenameOriginalCharacter(text, renamed), expected);
            if (expected) {
                reference.erase(found);
                reference[key(renamed)] = entry;
            }
        }
        }
        CString probe = randomText();
        auto expected = reference.find(key(probe));
        ASSERT_EQ(list.FindWord(probe), expected == reference.end() ? nullptr : expected->second) << step;
    }
    EXPECT_EQ(std::size_t(list.GetDictionaryList()->GetCount()), reference.size());
}

TEST(WordListPositions, IndexedAccessFollowsInsertionsAndRemovals) {
    CQorDictionaryWord list;
    std::vector<CQorDictWordElement*> entries;
    for (int i = 0; i < 1000; ++i) {
        CString text;
        text.Format(QSTR("word %d"), i);
        auto* entry = new CQorDictWordElement;
        entry->SetOriginalCharacter(text);
        ASSERT_EQ(list.AddWord(entry), 1);
        entries.push_back(entry);
    }
    auto* positions = list.GetDictionaryList();
    EXPECT_EQ(positions->GetAt(positions->FindIndex(999)), entries[999]);
    list.RemoveWord(entries[10]);
    entries.erase(entries.begin() + 10);
    list.RemoveWord(entries.back());
    entries.pop_back();
    for (int i : {0, 9, 10, 500, 997}) EXPECT_EQ(positions->GetAt(positions->FindIndex(i)), entries[std::size_t(i)]) << i;
    EXPECT_EQ(positions->FindIndex(998), nullptr);
    EXPECT_EQ(positions->FindIndex(-1), nullptr);
}
