#include "pages/WordGathering.h"

#include <utility>

#include "host/resmodule/QorResModuleManager.h"

GatherMailbox::GatherMailbox(std::function<void()> wake) : m_wake(std::move(wake)) {}

template <class Change>
void GatherMailbox::Post(Change change) {
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        change(m_pending);
        wake = !std::exchange(m_woken, true);
    }
    if (wake && m_wake) m_wake();
}

void GatherMailbox::PostModuleCount(int count) {
    Post([count](Delivery& pending) { pending.moduleCount = count; });
}

void GatherMailbox::PostBatch(GatherBatch batch) {
    Post([&batch](Delivery& pending) { pending.batches.push_back(std::move(batch)); });
}

void GatherMailbox::PostFinished(const CString& failure) {
    Post([&failure](Delivery& pending) {
        pending.finished = true;
        pending.failure = failure;
    });
}

GatherMailbox::Delivery GatherMailbox::Collect() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_woken = false;
    return std::exchange(m_pending, Delivery());
}

void ReadModulesIntoMailbox(const CString& folder, WORD language, const std::atomic<bool>* stop,
                            GatherMailbox& mailbox) {
    CString error;
    const std::vector<CString> modules = CQorResModuleManager::ListModules(folder, &error);
    if (!error.IsEmpty()) {
        mailbox.PostModuleCount(0);
        mailbox.PostFinished(error);
        return;
    }
    mailbox.PostModuleCount(int(modules.size()));
    for (const CString& path : modules) {
        if (stop && stop->load()) break;
        GatherBatch batch;
        const ResModuleReport report = CQorResModuleManager::ReadModule(path, language, batch.texts, stop);
        batch.module = report.fileName;
        batch.skipReason = report.skipReason;
        mailbox.PostBatch(std::move(batch));
    }
    mailbox.PostFinished(CString());
}

GatherMerger::GatherMerger(CQorDictionaryManager& manager, DICTMODE mode, std::vector<DWORD> languageColumns)
    : m_manager(manager), m_mode(mode), m_columns(std::move(languageColumns)) {}

void GatherMerger::Accept(GatherMailbox::Delivery delivery) {
    if (delivery.moduleCount >= 0) m_moduleCount = delivery.moduleCount;
    for (GatherBatch& batch : delivery.batches) m_waiting.push_back(std::move(batch));
    if (delivery.finished) {
        m_workerFinished = true;
        m_failure = delivery.failure;
    }
}

int GatherMerger::MergeSlice(std::size_t maxTexts) {
    int completed = 0;
    std::size_t budget = maxTexts;
    while (!m_waiting.empty()) {
        GatherBatch& front = m_waiting.front();
        const std::size_t left = front.texts.size() - m_nextText;
        const std::size_t take = left < budget ? left : budget;
        const GatherCounts counts = MergeGatheredTexts(m_manager, m_mode, m_columns, front.texts.data() + m_nextText, take);
        m_counts.wordsAdded += counts.wordsAdded;
        m_counts.entriesAdded += counts.entriesAdded;
        m_wordsInFront += counts.wordsAdded;
        m_nextText += take;
        budget -= take;
        if (m_nextText < front.texts.size()) break;
        m_results.push_back({front.module, m_wordsInFront, front.skipReason});
        m_waiting.pop_front();
        m_nextText = 0;
        m_wordsInFront = 0;
        ++completed;
        if (budget == 0) break;
    }
    return completed;
}

int GatherMerger::MergeFor(std::chrono::steady_clock::duration budget) {
    // Slices small enough that the budget is overrun by well under a millisecond.
    constexpr std::size_t kTextsPerSlice = 50;
    const auto end = std::chrono::steady_clock::now() + budget;
    int completed = 0;
    do {
        completed += MergeSlice(kTextsPerSlice);
    } while (HasWaitingTexts() && std::chrono::steady_clock::now() < end);
    return completed;
}
