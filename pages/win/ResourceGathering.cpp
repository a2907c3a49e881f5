#include "pages/win/ResourceGathering.h"

#include <chrono>
#include <utility>

namespace {
// Work per tick: input and painting, which come before timer messages,
// wait at most this long.
constexpr std::chrono::milliseconds kMergeBudget(5);
constexpr UINT kMergePeriodMs = USER_TIMER_MINIMUM;
}  // namespace

struct CResourceGathering::Job {
    Job(HWND page, const CString& folder, WORD language)
        : folder(folder), language(language),
          mailbox([page] { PostMessageW(page, kWakeMessage, 0, 0); }) {}
    CString folder;
    WORD language;
    GatherMailbox mailbox;
};

CResourceGathering::CResourceGathering() noexcept = default;

CResourceGathering::~CResourceGathering() { Stop(); }

UINT CResourceGathering::WorkerProc(void* parameter) {
    auto* worker = static_cast<CQorThread*>(parameter);
    if (!worker) return 0;
    if (auto* job = static_cast<Job*>(worker->GetCustomData()))
        ReadModulesIntoMailbox(job->folder, job->language, worker->GetStopFlag(), job->mailbox);
    worker->SetQuit(1);
    return 0;
}

bool CResourceGathering::Start(HWND page, const CString& folder, WORD language, CQorDictionaryManager& manager,
                               DICTMODE mode, std::vector<DWORD> languageColumns) {
    if (IsActive()) return false;
    // A finished worker is replaced; its thread has returned.
    if (m_worker && m_worker->IsQuit()) m_worker.reset();
    if (m_worker && m_worker->IsRunning()) return false;
    if (!m_worker) m_worker = std::make_unique<CQorThread>();
    m_page = page;
    m_job = std::make_unique<Job>(page, folder, language);
    m_merger = std::make_unique<GatherMerger>(manager, mode, std::move(languageColumns));
    m_worker->SetCustomData(m_job.get());
    m_worker->SetExitTimeOut(0xFFFFFFFF);
    if (!m_worker->StartThread(&CResourceGathering::WorkerProc, 0, m_worker.get())) {
        m_merger.reset();
        return false;
    }
    return true;
}

void CResourceGathering::SetLanguageColumns(const std::vector<DWORD>& languageColumns) {
    if (m_merger) m_merger->SetLanguageColumns(languageColumns);
}

void CResourceGathering::OnWake() {
    if (m_merger) SetTimer(m_page, kMergeTimer, kMergePeriodMs, nullptr);
}

CResourceGathering::Step CResourceGathering::OnMergeTimer() {
    Step step;
    if (!m_merger || !m_job) {  // a tick left over from a stop
        KillTimer(m_page, kMergeTimer);
        return step;
    }
    GatherMailbox::Delivery delivery = m_job->mailbox.Collect();
    step.moduleCount = delivery.moduleCount;
    m_merger->Accept(std::move(delivery));
    const int wordsBefore = m_merger->GetCounts().wordsAdded;
    step.modulesDone = m_merger->MergeFor(kMergeBudget);
    step.changed = m_merger->GetCounts().wordsAdded != wordsBefore;
    step.complete = m_merger->IsComplete();
    // Nothing left to merge: the next post wakes the timer again. Otherwise
    // the period starts anew after this tick, so that the thread is idle
    // between ticks and other timers get their turn too.
    if (step.complete || !m_merger->HasWaitingTexts()) KillTimer(m_page, kMergeTimer);
    else SetTimer(m_page, kMergeTimer, kMergePeriodMs, nullptr);
    if (step.complete) m_merger.reset();
    return step;
}

void CResourceGathering::Stop() {
    if (m_page) KillTimer(m_page, kMergeTimer);
    if (m_worker) {
        m_worker->RequestStop();
        m_worker->WaitForExit();
    }
    m_merger.reset();
}
