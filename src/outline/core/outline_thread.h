// COutlineThread: the outline worker, scanning the active text piece by piece on its own thread.
#pragma once

#include "outline/core/outline_item.h"
#include "outline/core/outline_piece.h"
#include "platform/thread.h"

#include <QObject>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

// Final: the worker starts in the constructor and must not see a half-built derived class.
class COutlineThread final : public QObject, public CThread {
    Q_OBJECT
public:
    // Starts the worker, which then waits to be woken.
    explicit COutlineThread(QObject* parent = nullptr);
    ~COutlineThread() override;

    // Asks for a pass over the active text. Wake-ups that arrive while a pass
    // runs collapse into one further pass. A pass that meets a stale piece is
    // dropped without a result: whoever changes the text wakes the worker again.
    void Wake();

    // The answer to PieceWanted, from any thread: the text from the byte asked for.
    void Deliver(OutlinePiece piece);

    // Lets the worker give the allocator's freed memory back to the system
    // when it next rests, after it has let go of its last pass.
    void ReleaseFreedMemory();

Q_SIGNALS:
    // Emitted on the worker thread, which then waits for one Deliver: the
    // pass wants the text from byte `from` (0 begins a pass). Connect queued
    // so the text is read on the thread that owns it.
    void PieceWanted(qint64 from);
    // Emitted on the worker thread after each pass: connect with a queued
    // (or automatic) connection so the receiver handles it on its own thread.
    // Shared, not copied into the queued call: a big script's entries take megabytes.
    void Scanned(std::shared_ptr<const OutlineItems> items);

protected:
    void Run() override;

private:
    void ScanPass();
    // Nothing when the worker is stopping.
    std::optional<OutlinePiece> AskPiece(qint64 from);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_woken = false;
    bool m_stop = false;
    bool m_release = false;
    std::optional<OutlinePiece> m_piece;
};
