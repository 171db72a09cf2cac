// CThread: a worker thread with a virtual Run, over std::thread.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class CThread {
public:
    CThread() = default;
    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;
    // A derived class must call Join() in its own destructor: Run() may still
    // be using the derived part when this base destructor runs.
    virtual ~CThread() { Join(); }

    // Starts Run() on a new thread; false when one is still running.
    bool Start() {
        if (m_running.load())
            return false;
        Join();
        m_running = true;
        m_thread = std::thread([this] {
            Run();
            std::lock_guard lock(m_endMutex);
            m_running = false;
            m_ended.notify_all();
        });
        return true;
    }
    void Join() {
        if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
            m_thread.join();
    }
    bool IsRunning() const { return m_running.load(); }
    // Waits at most `limit` for Run() to end; true when it has.
    bool WaitFor(std::chrono::milliseconds limit) {
        std::unique_lock lock(m_endMutex);
        return m_ended.wait_for(lock, limit, [this] { return !m_running.load(); });
    }

protected:
    virtual void Run() = 0;

private:
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::mutex m_endMutex;
    std::condition_variable m_ended;
};
