#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "base/QorApi.h"
#include "base/Types.h"

// The host's worker thread: one procedure on one thread at a time.
// Besides the host's finished flag (SetQuit/IsQuit, raised by the procedure
// when it is done) it carries a stop request that the owner raises and a
// long-running procedure polls, so that destroying the worker never waits
// for a whole job. The destructor requests a stop and joins the thread: a
// procedure may use the worker object to its last instruction.
class QOR_API CQorThread {
public:
    typedef UINT (*ThreadProc)(void* parameter);

    CQorThread() noexcept;
    CQorThread(const CQorThread&) = delete;
    CQorThread& operator=(const CQorThread&) = delete;
    virtual ~CQorThread();

    void SetCustomData(void* data) noexcept { m_customData.store(data); }
    void* GetCustomData() const noexcept { return m_customData.load(); }
    // How long WaitForExit waits; 0xFFFFFFFF waits for good.
    void SetExitTimeOut(DWORD milliseconds) noexcept { m_exitTimeOut.store(milliseconds); }
    DWORD GetExitTimeOut() const noexcept { return m_exitTimeOut.load(); }

    // Runs proc(parameter) on a new thread. FALSE while a procedure still
    // runs (the running one is kept) or when no thread can be made.
    // `priority` is accepted for the host's signature; threads run at normal priority.
    BOOL StartThread(ThreadProc proc, int priority, void* parameter);
    int IsQuit() const noexcept { return m_quit.load(); }
    void SetQuit(int quit) noexcept { m_quit.store(quit); }

    // True from StartThread until the procedure has returned.
    bool IsRunning() const noexcept { return m_running.load(); }
    void RequestStop() noexcept { m_stop.store(true); }
    bool IsStopRequested() const noexcept { return m_stop.load(); }
    // For readers that poll a flag of their own type.
    const std::atomic<bool>* GetStopFlag() const noexcept { return &m_stop; }
    // Waits up to the exit time-out for the procedure to return; true when
    // it has (the thread is then joined).
    bool WaitForExit();

private:
    std::atomic<void*> m_customData{nullptr};
    std::atomic<DWORD> m_exitTimeOut{0xFFFFFFFF};
    std::atomic<int> m_quit{0};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    std::mutex m_mutex;
    std::condition_variable m_done;
    std::thread m_thread;
};
