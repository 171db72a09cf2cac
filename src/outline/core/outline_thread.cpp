// COutlineThread: the outline worker, scanning the active text piece by piece on its own thread.
#include "outline/core/outline_thread.h"

#include "outline/core/outline_scanner.h"
#include "platform/heap_release.h"

#include <utility>

COutlineThread::COutlineThread(QObject* parent) : QObject(parent) { Start(); }

// A pass waiting for a piece gives up, so the join never waits for the UI thread.
COutlineThread::~COutlineThread() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    Join();
}

void COutlineThread::Wake() {
    {
        std::lock_guard lock(m_mutex);
        m_woken = true;
    }
    m_wake.notify_one();
}

void COutlineThread::Deliver(OutlinePiece piece) {
    {
        std::lock_guard lock(m_mutex);
        m_piece = std::move(piece);
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
        }
        ScanPass();
    }
}

// Only one piece is held at a time: the text is never copied whole.
void COutlineThread::ScanPass() {
    OutlineScanner scanner;
    qint64 from = 0;
    for (;;) {
        const std::optional<OutlinePiece> piece = AskPiece(from);
        // A piece that brings nothing but is not the last would never end the pass.
        if (!piece || piece->stale || (!piece->last && piece->bytes.isEmpty()))
            return;
        scanner.Feed(std::string_view(piece->bytes.constData(), std::size_t(piece->bytes.size())));
        if (piece->last) {
            Q_EMIT Scanned(std::make_shared<const OutlineItems>(scanner.Finish()));
            return;
        }
        from += piece->bytes.size();
    }
}

std::optional<OutlinePiece> COutlineThread::AskPiece(qint64 from) {
    {
        std::lock_guard lock(m_mutex);
        m_piece.reset();
    }
    Q_EMIT PieceWanted(from);
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_piece || m_stop; });
    if (m_stop)
        return std::nullopt;
    return std::exchange(m_piece, std::nullopt);
}
