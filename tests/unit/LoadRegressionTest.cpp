// Files that once broke Load, found by fuzz_load.
#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"

namespace {

// A dictionary with one language holding one system entry, and the offset of
// that entry's update time: after it come only the language's empty project
// list (8 bytes) and the two empty master lists (12 bytes each).
constexpr std::size_t kTimeFromEnd = 12 + 8 + 24;

std::vector<unsigned char> OneEntryFile(const ScratchDir& dir) {
    CQorDictionaryManager manager;
    auto* language = new CQorLanguageDict;
    language->SetLanguageID(2052);
    auto* entry = new CQorDictWordElement;
    entry->SetOriginalCharacter(S("Open"));
    entry->SetDisplayCharacter(S("打开"));
    EXPECT_EQ(1, language->AddWord(DICTMODE_SYSTEM, entry));
    EXPECT_EQ(1, manager.Add(language));
    EXPECT_EQ(1, manager.Save(dir.Path("one")));
    return ReadBytes(dir.Path("one"));
}

}  // namespace

TEST(LoadRegression, DateStatusOutsideTheKnownValuesIsKeptAsRead) {
    ScratchDir dir;
    for (std::int32_t status : {0x61420000, -7, 3}) {
        std::vector<unsigned char> bytes = OneEntryFile(dir);
        ASSERT_GT(bytes.size(), kTimeFromEnd);
        std::memcpy(&bytes[bytes.size() - kTimeFromEnd], &status, 4);  // little-endian host
        WriteBytes(dir.Path("odd"), bytes);

        CQorDictionaryManager manager;
        ASSERT_EQ(1, manager.Load(dir.Path("odd")));
        const CQorDictWordElement* entry = manager.Find(2052)->FindWord(DICTMODE_SYSTEM, S("open"));
        ASSERT_NE(nullptr, entry);
        EXPECT_EQ(status, std::int32_t(entry->GetUpdateDateTime().GetStatus()));
        EXPECT_EQ(-1, entry->GetUpdateDateTime().GetYear());

        ASSERT_EQ(1, manager.Save(dir.Path("again")));
        EXPECT_EQ(bytes, ReadBytes(dir.Path("again")));
    }
}
