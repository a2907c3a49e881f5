// The worker that reads modules and the owner that merges what it posts,
// on two real threads (the thread sanitizer build runs these too).
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "host/resmodule/QorResModuleManager.h"
#include "host/thread/QorThread.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"
#include "pages/WordGathering.h"
#include "pages/WordPageRules.h"

namespace {

UINT WaitForStop(void* parameter) {
    auto* worker = static_cast<CQorThread*>(parameter);
    while (!worker->IsStopRequested()) std::this_thread::yield();
    worker->SetQuit(1);
    return 0;
}

TEST(QorThreadTest, OneProcedureAtATimeStoppedOnRequestAndOnDestruction) {
    CQorThread worker;
    ASSERT_TRUE(worker.StartThread(WaitForStop, 0, &worker));
    EXPECT_FALSE(worker.StartThread(WaitForStop, 0, &worker));  // still running
    EXPECT_TRUE(worker.IsRunning());
    EXPECT_EQ(worker.IsQuit(), 0);
    worker.SetExitTimeOut(20);
    EXPECT_FALSE(worker.WaitForExit());  // it waits for a stop nobody sent
    worker.RequestStop();
    worker.SetExitTimeOut(0xFFFFFFFF);
    EXPECT_TRUE(worker.WaitForExit());
    EXPECT_EQ(worker.IsQuit(), 1);
    EXPECT_FALSE(worker.IsRunning());

    // A finished worker starts again with its flags cleared.
    ASSERT_TRUE(worker.StartThread(WaitForStop, 0, &worker));
    EXPECT_EQ(worker.IsQuit(), 0);
    EXPECT_FALSE(worker.IsStopRequested());
    // The destructor stops it and waits: no thread outlives its object.
    auto* second = new CQorThread;
    ASSERT_TRUE(second->StartThread(WaitForStop, 0, second));
    delete second;
    EXPECT_FALSE(worker.StartThread(nullptr, 0, nullptr));
}

// A folder of many modules, built from the test modules by copying.
class WordGatheringTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<CString> modules = CQorResModuleManager::ListModules(S(QOR_TEST_PE_DIR), nullptr);
        ASSERT_FALSE(modules.empty());
        for (int copy = 0; copy < 20; ++copy)
            for (std::size_t i = 0; i < modules.size(); ++i) {
                const std::string name = "m" + std::to_string(copy) + "_" + std::to_string(i) + ".dll";
                WriteBytes(folder.Path(name.c_str()), ReadBytes(modules[i]));
            }
        auto* english = new CQorLanguageDict;
        english->SetLanguageID(1033);
        english->SetEnable(1);
        ASSERT_TRUE(manager.Add(english));
        manager.SetSysDefaultLanguageLCID(1033);
    }
    std::vector<CString> MasterWords(CQorDictionaryManager& dictionary) {
        std::vector<CString> words;
        auto* list = dictionary.GetSysDictWord()->GetDictionaryList();
        for (POSITION pos = list->GetHeadPosition(); pos;) words.push_back(list->GetNext(pos)->GetOriginalCharacter());
        return words;
    }

    ScratchDir folder;
    CQorDictionaryManager manager;
};

struct Owner {
    std::mutex mutex;
    std::condition_variable woken;
    bool pending = false;
    void Wake() {
        std::lock_guard<std::mutex> lock(mutex);
        pending = true;
        woken.notify_one();
    }
    void WaitForWake() {
        std::unique_lock<std::mutex> lock(mutex);
        woken.wait(lock, [this] { return pending; });
        pending = false;
    }
};

struct Job {
    CString folder;
    GatherMailbox* mailbox;
};

UINT ReadForJob(void* parameter) {
    auto* worker = static_cast<CQorThread*>(parameter);
    auto* job = static_cast<Job*>(worker->GetCustomData());
    ReadModulesIntoMailbox(job->folder, 0x0804, worker->GetStopFlag(), *job->mailbox);
    worker->SetQuit(1);
    return 0;
}

TEST_F(WordGatheringTest, SlicesMergedWhileTheWorkerReadsGiveTheSameWordsAsOneMerge) {
    // The reference: read and merged on one thread in one go.
    CQorDictionaryManager reference;
    {
        GatherMailbox mailbox(nullptr);
        ReadModulesIntoMailbox(folder.Path(""), 0x0804, nullptr, mailbox);
        GatherMerger merger(reference, DICTMODE_SYSTEM, {});
        merger.Accept(mailbox.Collect());
        merger.MergeSlice(std::size_t(-1));
        ASSERT_TRUE(merger.IsComplete());
    }
    ASSERT_FALSE(MasterWords(reference).empty());

    Owner owner;
    GatherMailbox mailbox([&owner] { owner.Wake(); });
    Job job{folder.Path(""), &mailbox};
    GatherMerger merger(manager, DICTMODE_SYSTEM, LanguageColumnsOf(manager));
    CQorThread worker;
    worker.SetCustomData(&job);
    ASSERT_TRUE(worker.StartThread(ReadForJob, 0, &worker));
    int modulesDone = 0;
    while (!merger.IsComplete()) {
        if (!merger.HasWaitingTexts()) owner.WaitForWake();
        merger.Accept(mailbox.Collect());
        modulesDone += merger.MergeSlice(7);  // small slices: merging overlaps reading
    }
    EXPECT_TRUE(worker.WaitForExit());
    EXPECT_EQ(worker.IsQuit(), 1);
    EXPECT_EQ(modulesDone, merger.GetModuleCount());
    EXPECT_EQ(merger.GetModuleCount(), int(folder.List().size()));
    EXPECT_EQ(MasterWords(manager), MasterWords(reference));
    // Every new word got its empty entry in the one column language.
    EXPECT_EQ(merger.GetCounts().entriesAdded, merger.GetCounts().wordsAdded);
    // Copies add nothing after the first: per-module counts say so.
    int modulesWithWords = 0;
    for (const GatherModuleResult& result : merger.GetModuleResults()) modulesWithWords += result.wordsAdded > 0;
    EXPECT_LT(modulesWithWords, merger.GetModuleCount());
}

TEST_F(WordGatheringTest, AStoppedWorkerEndsWithoutReadingAndTheOwnerCompletes) {
    std::atomic<bool> stop{true};
    GatherMailbox mailbox(nullptr);
    ReadModulesIntoMailbox(folder.Path(""), 0x0804, &stop, mailbox);
    GatherMerger merger(manager, DICTMODE_SYSTEM, {});
    merger.Accept(mailbox.Collect());
    EXPECT_EQ(merger.MergeSlice(100), 0);
    EXPECT_TRUE(merger.IsComplete());
    EXPECT_GT(merger.GetModuleCount(), 0);
    EXPECT_EQ(merger.GetCounts().wordsAdded, 0);

    // A folder that cannot be listed is a failure the owner hears of.
    GatherMailbox missing(nullptr);
    ReadModulesIntoMailbox(folder.Path("no such folder"), 0x0804, nullptr, missing);
    GatherMerger failed(manager, DICTMODE_SYSTEM, {});
    failed.Accept(missing.Collect());
    EXPECT_TRUE(failed.IsComplete());
    EXPECT_FALSE(failed.GetFailure().IsEmpty());
}

}  // namespace
