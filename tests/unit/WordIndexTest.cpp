#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "OldHashCollisions.h"
#include "TestSupport.h"
#include "base/FoldedTextHash.h"
#include "base/SipHash.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"

namespace {

CString Upper(CString text) { return text.MakeUpper(); }

CQorDictWordElement* NewEntry(const CString& original) {
    auto* entry = new CQorDictWordElement;
    entry->SetOriginalCharacter(original);
    return entry;
}

template <int C, int D>
std::uint64_t SipHashOfCountingBytes(std::size_t length) {
    // The reference vectors hash the bytes 0, 1, 2, ... under the key 00..0f.
    SipHasher<C, D> hasher(0x0706050403020100u, 0x0f0e0d0c0b0a0908u);
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < length; ++i) {
        word |= std::uint64_t(i) << (8 * (i % 8));
        if (i % 8 == 7) {
            hasher.Absorb(word);
            word = 0;
        }
    }
    return hasher.Finish(word, length);
}

}  // namespace

TEST(WordIndexFlooding, TheKeyedHashMatchesTheReferenceVectors) {
    // The index runs fewer rounds, but on the same code as SipHash-2-4.
    EXPECT_EQ((SipHashOfCountingBytes<2, 4>(0)), 0x726fdb47dd0e0e31u);
    EXPECT_EQ((SipHashOfCountingBytes<2, 4>(1)), 0x74f839c593dc67fdu);
    EXPECT_EQ((SipHashOfCountingBytes<2, 4>(7)), 0xab0200f58b01d137u);
    EXPECT_EQ((SipHashOfCountingBytes<2, 4>(8)), 0x93f5f5799a932462u);
    EXPECT_EQ((SipHashOfCountingBytes<2, 4>(15)), 0xa129ca6149be45e5u);
    EXPECT_EQ((SipHashOfCountingBytes<2, 4>(63)), 0x958a324ceb064572u);
}

TEST(WordIndexFlooding, TheFoldedHashIsSipHashOfTheTextUpperCasedUnitByUnit) {
    // The hash folds four code units at a time; every unit in every lane of a
    // word, and in the tail, must fold exactly as QorToUpper does.
    const CFoldedTextHashKey key = MakeFoldedTextHashKey();
    for (int unit = 0; unit <= 0xFFFF; ++unit) {
        for (int at = 0; at < 5; ++at) {
            WCHAR text[5] = {'q', 0x8061, 'Z', '{', '`'};
            text[at] = WCHAR(unit);
            SipHasher<1, 3> reference(key.k0, key.k1);
            std::uint64_t word = 0;
            for (int i = 0; i < 4; ++i) word |= std::uint64_t(QorToUpper(text[i])) << (16 * i);
            reference.Absorb(word);
            const std::uint64_t expected = reference.Finish(QorToUpper(text[4]), 10);
            ASSERT_EQ(HashFoldedText(CString(text, 5), key), expected) << "unit " << unit << " at " << at;
        }
    }
}

TEST(WordIndexFlooding, KeysCollidingUnderTheFormerHashKeepTheMapsAnswers) {
    // 2^17 keys with one former hash: the even half goes in, the odd half
    // must miss. The lower-case prefix makes every look-up fold case.
    const OldHashCollisions collisions(S("menu item "), 17);
    std::vector<CString> keys, upper;
    for (std::size_t k = 0; k < collisions.Count(); ++k) {
        keys.push_back(collisions.Key(k));
        upper.push_back(Upper(keys.back()));
    }
    ASSERT_EQ(keys.size(), 131072u);
    for (std::size_t k = 1; k < keys.size(); k += 997)
        ASSERT_EQ(OldWordIndexHash(keys[k]), OldWordIndexHash(keys[0])) << k;

    CQorDictionaryWord list;
    std::map<CString, CQorDictWordElement*> reference;
    for (std::size_t k = 0; k < keys.size(); k += 2) {
        CQorDictWordElement* entry = NewEntry(keys[k]);
        ASSERT_EQ(list.AddWord(entry), 1) << k;
        reference.emplace(upper[k], entry);
    }
    ASSERT_EQ(reference.size(), 65536u);
    std::unique_ptr<CQorDictWordElement> sameKey(NewEntry(upper[42]));
    ASSERT_EQ(list.AddWord(sameKey.get()), 0) << "a key in other letter case is the same key";

    // The oldest third leaves (oldest first: removal walks the list); the
    // answers must still be the reference's.
    for (std::size_t k = 0; k < keys.size() / 3; k += 2) {
        ASSERT_EQ(list.RemoveWord(upper[k]), 1) << k;
        reference.erase(upper[k]);
    }
    for (std::size_t k = 0; k < keys.size(); ++k) {
        auto expected = reference.find(upper[k]);
        ASSERT_EQ(list.FindWord(upper[k]), expected == reference.end() ? nullptr : expected->second) << k;
    }
    EXPECT_EQ(std::size_t(list.GetDictionaryList()->GetCount()), reference.size());
}

TEST(WordListKeys, AnEmbeddedNulIsPartOfTheKeyForCompareIndexAndFile) {
    const CString shortKey = S("AB");
    const CString longKey(QSTR("ab\0c"), 4);
    const CString nulOnly(QSTR("AB\0"), 3);

    EXPECT_LT(shortKey.Compare(longKey), 0);
    EXPECT_GT(longKey.Compare(shortKey), 0);
    EXPECT_LT(shortKey.CompareNoCase(longKey), 0);
    EXPECT_EQ(CString(QSTR("AB\0C"), 4).CompareNoCase(longKey), 0);
    EXPECT_GT(nulOnly.Compare(QSTR("AB")), 0) << "a pointer ends at its NUL, this string does not";
    EXPECT_FALSE(nulOnly == QSTR("AB"));
    EXPECT_TRUE(shortKey < longKey && !(longKey < shortKey) && shortKey != longKey);

    // The list must split keys exactly as a map ordered by Compare does.
    CQorDictionaryManager manager;
    CQorDictionaryWord& list = *manager.GetSysDictWord();
    std::map<CString, CQorDictWordElement*> reference;
    for (const CString& text : {shortKey, longKey, nulOnly, CString(QSTR("AB\0C"), 4)}) {
        CQorDictWordElement* entry = NewEntry(text);
        bool fresh = reference.emplace(Upper(text), entry).second;
        ASSERT_EQ(list.AddWord(entry), fresh ? 1 : 0) << text.GetLength();
        if (!fresh) delete entry;
    }
    ASSERT_EQ(reference.size(), 3u);

    ScratchDir dir;
    ASSERT_EQ(manager.Save(dir.Path("embedded-nul.dict")), 1);
    CQorDictionaryManager loaded;
    ASSERT_EQ(loaded.Load(dir.Path("embedded-nul.dict")), 1) << loaded.GetLastFileError().ToUtf8();
    CQorDictionaryWord& again = *loaded.GetSysDictWord();
    ASSERT_EQ(again.GetDictionaryList()->GetCount(), 3);
    for (const auto& [key, entry] : reference) {
        CQorDictWordElement* found = again.FindWord(key);
        ASSERT_NE(found, nullptr) << key.GetLength();
        EXPECT_TRUE(found->GetOriginalCharacter() == entry->GetOriginalCharacter()) << key.GetLength();
    }
    EXPECT_EQ(again.FindWord(CString(QSTR("AB\0\0"), 4)), nullptr);
}
