// COutlineThread: the outline worker, scanning copies of the active text on its own thread.
#include "outline/core/outline_thread.h"

#include "outline/core/outline_scanner.h"
#include "platform/heap_release.h"

COutlineThread::COutlineThread(QObject* parent) : QObject(parent) { Start(); }

COutlineThread::~COutlineThread() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    Join();
}

void COutlineThread::Wake(std::optional<QByteArray> text) {
    {
        std::lock_guard lock(m_mutex);
        m_text = std::move(text);
        m_woken = true;
    }
    m_wake.notify_one();
}

void COutlineThread::ReleaseFreedMemory() {
    {
        std::lock_guard lock(m_mutex);
        m_release = true;
    }
    m_wake.notify_one();
}

void COutlineThread::Run() {
    for (;;) {
        std::optional<QByteArray> text;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_woken || m_release || m_stop; });
            if (m_stop)
                return;
            // A pass asked for meanwhile goes first; the release follows it.
            if (!m_woken) {
                m_release = false;
                lock.unlock();
                ReleaseFreedHeap();
                continue;
            }
            m_woken = false;
            text = std::move(m_text);
            m_text.reset();
        }
        // No document: an empty scan empties the tree.
        const OutlineItems items =
            text ? ScanOutline(std::string_view(text->constData(), std::size_t(text->size()))) : OutlineItems{};
        Q_EMIT Scanned(items);
    }
}
