#include "host/thread/QorThread.h"

#include <chrono>
#include <system_error>

CQorThread::CQorThread() noexcept = default;

CQorThread::~CQorThread() {
    RequestStop();
    if (m_thread.joinable()) m_thread.join();
}

BOOL CQorThread::StartThread(ThreadProc proc, int /*priority*/, void* parameter) {
    if (!proc) return FALSE;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_running.load()) return FALSE;
    if (m_thread.joinable()) m_thread.join();  // finished: its return is all that is left
    m_quit.store(0);
    m_stop.store(false);
    m_running.store(true);
    try {
        m_thread = std::thread([this, proc, parameter] {
            proc(parameter);
            std::lock_guard<std::mutex> lock(m_mutex);
            m_running.store(false);
            m_done.notify_all();
        });
    } catch (const std::system_error&) {
        m_running.store(false);
        return FALSE;
    }
    return TRUE;
}

bool CQorThread::WaitForExit() {
    std::unique_lock<std::mutex> lock(m_mutex);
    const DWORD timeOut = m_exitTimeOut.load();
    auto finished = [this] { return !m_running.load(); };
    if (timeOut == 0xFFFFFFFF)
        m_done.wait(lock, finished);
    else if (!m_done.wait_for(lock, std::chrono::milliseconds(timeOut), finished))
        return false;
    // The procedure has left its last locked step; what remains is its return.
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) m_thread.join();
    return true;
}
