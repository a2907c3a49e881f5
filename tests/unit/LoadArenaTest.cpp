// What a load makes lives in shared blocks; each piece must still live exactly
// as long as its last user, whoever that is and on whatever thread.
#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "SheetTestSupport.h"
#include "TestSupport.h"
#include "base/LoadArena.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

TEST(LoadArena, LoadedTextsAndEntriesLiveAsLongAsTheirLastUser) {
    ScratchDir dir;
    const CString path = dir.Path("words.dict");
    {
        CQorDictionaryManager writer;
        auto* language = new CQorLanguageDict;
        language->SetLanguageID(1031);
        language->SetEnable(1);
        for (int i = 0; i < 3000; ++i) {
            auto* entry = new CQorDictWordElement;
            CString original;
            original.Format(S("word %d"), i);
            entry->SetOriginalCharacter(original);
            entry->SetDisplayCharacter(S("Wort ") + original.Mid(5));
            ASSERT_TRUE(language->AddWord(DICTMODE_SYSTEM, entry));
        }
        ASSERT_TRUE(writer.Add(language));
        ASSERT_EQ(writer.Save(path), 1);
    }

    {
        CQorDictionaryManager warmUp;  // first-use statics are not what is measured
        ASSERT_EQ(warmUp.Load(path), 1);
    }
    const long long heapBefore = HeapInUse();
    CString kept, keptMaster;
    {
        CQorDictionaryManager manager;
        ASSERT_EQ(manager.Load(path), 1) << manager.GetLastFileError().ToUtf8();
        CQorLanguageDict* language = manager.Find(1031);
        ASSERT_NE(language, nullptr);
        kept = language->GetDisplayCharacter(DICTMODE_SYSTEM, S("word 1234"));
        ASSERT_EQ(kept, CString(S("Wort 1234"))) << kept.ToUtf8();

        // Loaded entries deleted one by one, a host's entry among them, and
        // loaded strings written to, which must copy or write in place.
        for (int i = 0; i < 3000; i += 2) {
            CString original;
            original.Format(S("word %d"), i);
            ASSERT_EQ(language->RemoveWord(DICTMODE_SYSTEM, original), 1);
        }
        auto* own = new CQorDictWordElement;
        own->SetOriginalCharacter(S("own"));
        ASSERT_EQ(language->AddWord(DICTMODE_SYSTEM, own), 1);
        CQorDictWordElement* loaded = language->FindWord(DICTMODE_SYSTEM, S("word 1"));
        ASSERT_NE(loaded, nullptr);
        CString grown = loaded->GetDisplayCharacter();
        grown += S(" and a longer tail");
        loaded->SetDisplayCharacter(grown.MakeUpper());
        EXPECT_EQ(language->GetDisplayCharacter(DICTMODE_SYSTEM, S("WORD 1")), CString(S("WORT 1 AND A LONGER TAIL")));

        // A second load into the same manager frees the first one's blocks.
        ASSERT_EQ(manager.Load(path), 1);
        keptMaster = manager.Find(1031)->GetDisplayCharacter(DICTMODE_SYSTEM, S("word 2999"));
    }
    // Read after the manager is gone: the address sanitizer sees any block freed too early.
    EXPECT_EQ(kept, CString(S("Wort 1234")));
    EXPECT_EQ(keptMaster, CString(S("Wort 2999")));
    kept.Empty();
    keptMaster.Empty();
    if (heapBefore >= 0) {
        EXPECT_LE(HeapInUse() - heapBefore, 4096) << "blocks not given back";
    }
}

TEST(LoadArena, PiecesFreedOnOtherThreadsWhileTheArenaIsStillCutting) {
    const long long heapBefore = HeapInUse();
    std::vector<std::thread> freers;
    {
        CLoadArena arena;
        for (int round = 0; round < 8; ++round) {
            auto pieces = std::make_shared<std::vector<void*>>();
            for (int i = 0; i < 5000; ++i) {
                void* piece = ArenaAllocate(std::size_t(8 + i % 200));
                static_cast<unsigned char*>(piece)[0] = 1;
                pieces->push_back(piece);
            }
            freers.emplace_back([pieces] {
                for (void* piece : *pieces) ArenaFree(piece);
            });
        }
        void* large = ArenaAllocate(std::size_t(1) << 20);  // too large for a block: from the heap
        ArenaFree(large);
    }
    for (std::thread& freer : freers) freer.join();
    // A block is 64 KiB; each thread may keep about 1 KiB of its own.
    if (heapBefore >= 0) {
        EXPECT_LE(HeapInUse() - heapBefore, 12288) << "blocks not given back";
    }
    void* outside = ArenaAllocate(16);  // no arena now: plain heap
    ArenaFree(outside);
    ArenaFree(nullptr);
}
