#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "base/CString.h"
#include "host/thread/QorThread.h"
#include "model/DictMode.h"
#include "pages/WordGathering.h"

class CQorDictionaryManager;

// A word page's gathering of resource texts. The worker only reads modules
// and posts a wake message to the page; everything that touches the
// dictionary or the grid happens on the page's thread, in a timer that
// merges for a few milliseconds at a time. Timer messages come only when no
// other message waits, so input and painting always go first. The worker
// never sees the page: its custom data is the job it reads for.
class CResourceGathering {
public:
    static constexpr UINT kWakeMessage = WM_APP + 0x147;
    static constexpr UINT_PTR kMergeTimer = 0x4751;

    CResourceGathering() noexcept;
    CResourceGathering(const CResourceGathering&) = delete;
    CResourceGathering& operator=(const CResourceGathering&) = delete;
    ~CResourceGathering();

    // Starts reading `folder` for `language`; false while a gathering is
    // under way or when no thread could be started.
    bool Start(HWND page, const CString& folder, WORD language, CQorDictionaryManager& manager, DICTMODE mode,
               std::vector<DWORD> languageColumns);
    bool IsActive() const { return m_merger != nullptr; }
    void SetLanguageColumns(const std::vector<DWORD>& languageColumns);

    // The wake message: texts are waiting; the merge timer runs.
    void OnWake();
    struct Step {
        int moduleCount = -1;   // the bar's range, when it became known with this step
        int modulesDone = 0;    // steps of the bar
        bool changed = false;   // words were added
        bool complete = false;  // everything read and merged: the page finishes up
    };
    // The merge timer: takes what was posted and merges some of it.
    Step OnMergeTimer();
    // Stops the worker and waits for it (the reader looks at the stop flag
    // between modules and resources); texts not yet merged are dropped.
    void Stop();

private:
    struct Job;
    static UINT WorkerProc(void* worker);

    HWND m_page = nullptr;
    std::unique_ptr<Job> m_job;             // outlives the worker's thread:
    std::unique_ptr<CQorThread> m_worker;   // destroyed (joined) first
    std::unique_ptr<GatherMerger> m_merger;
};
