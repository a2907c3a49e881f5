#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"
#include "base/Types.h"
#include "model/DictMode.h"
#include "pages/GatherRules.h"

class CQorDictionaryManager;

// Gathering resource texts without sharing the dictionary between threads:
// a worker reads the modules and posts what it found to a mailbox; the
// thread that owns the dictionary collects the posts and merges them in
// slices small enough to keep its window responsive.

// One module's texts, in resource order; a module that could not be read
// has none and says why.
struct GatherBatch {
    CString module;
    std::vector<CString> texts;
    CString skipReason;
};

class QOR_API GatherMailbox {
public:
    // `wake` runs on the posting thread whenever the box stops being empty;
    // the owner then calls Collect.
    explicit GatherMailbox(std::function<void()> wake);
    GatherMailbox(const GatherMailbox&) = delete;
    GatherMailbox& operator=(const GatherMailbox&) = delete;

    // The worker's side.
    void PostModuleCount(int count);
    void PostBatch(GatherBatch batch);
    void PostFinished(const CString& failure);  // failure empty: every module was read or the read was stopped

    // The owner's side: everything posted since the last call.
    struct Delivery {
        int moduleCount = -1;  // -1: not known yet
        std::vector<GatherBatch> batches;
        bool finished = false;
        CString failure;
    };
    Delivery Collect();

private:
    template <class Change>
    void Post(Change change);

    std::mutex m_mutex;
    Delivery m_pending;
    bool m_woken = false;
    std::function<void()> m_wake;
};

// The worker's whole job: every module of `folder` read for `language`, one
// batch each, in the enumerator's order. Between modules and resources it
// looks at `stop` and, once set, finishes without reading further.
QOR_API void ReadModulesIntoMailbox(const CString& folder, WORD language, const std::atomic<bool>* stop,
                                    GatherMailbox& mailbox);

struct GatherModuleResult {
    CString module;
    int wordsAdded = 0;
    CString skipReason;
};

// The owner's side of a gathering: the texts collected from the mailbox
// wait here and join the dictionary slice by slice.
class QOR_API GatherMerger {
public:
    GatherMerger(CQorDictionaryManager& manager, DICTMODE mode, std::vector<DWORD> languageColumns);

    void Accept(GatherMailbox::Delivery delivery);
    // The languages that get empty entries from now on (the page's columns changed).
    void SetLanguageColumns(std::vector<DWORD> languageColumns) { m_columns = std::move(languageColumns); }
    // Merges at most `maxTexts` waiting texts (at least one module's worth
    // when a module has none). The number of modules this slice completed.
    int MergeSlice(std::size_t maxTexts);
    // Merges slices until nothing waits or `budget` has passed; the number
    // of modules completed.
    int MergeFor(std::chrono::steady_clock::duration budget);

    bool HasWaitingTexts() const { return !m_waiting.empty(); }
    // The worker has finished and every text it posted has been merged.
    bool IsComplete() const { return m_workerFinished && m_waiting.empty(); }
    int GetModuleCount() const { return m_moduleCount; }
    int GetModulesMerged() const { return int(m_results.size()); }
    const GatherCounts& GetCounts() const { return m_counts; }
    const std::vector<GatherModuleResult>& GetModuleResults() const { return m_results; }
    const CString& GetFailure() const { return m_failure; }

private:
    CQorDictionaryManager& m_manager;
    DICTMODE m_mode;
    std::vector<DWORD> m_columns;
    std::deque<GatherBatch> m_waiting;
    std::size_t m_nextText = 0;  // in the front batch
    int m_wordsInFront = 0;
    std::vector<GatherModuleResult> m_results;
    GatherCounts m_counts;
    int m_moduleCount = 0;
    bool m_workerFinished = false;
    CString m_failure;
};
