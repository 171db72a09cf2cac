// COutlineThread: the outline worker, scanning copies of the active text on its own thread.
#pragma once

#include "outline/core/outline_item.h"
#include "platform/thread.h"

#include <QByteArray>
#include <QObject>

#include <condition_variable>
#include <mutex>
#include <optional>

// Final: the worker starts in the constructor and must not see a half-built derived class.
class COutlineThread final : public QObject, public CThread {
    Q_OBJECT
public:
    // Starts the worker, which then waits to be woken.
    explicit COutlineThread(QObject* parent = nullptr);
    ~COutlineThread() override;

    // Hands over a copy of the active document's text (UTF-8), or nothing when
    // no document is active. Called on the UI thread; wake-ups that arrive
    // while a pass runs collapse into one further pass over the latest text.
    void Wake(std::optional<QByteArray> text);

    // Lets the worker give the allocator's freed memory back to the system
    // when it next rests, after it has let go of its last pass.
    void ReleaseFreedMemory();

Q_SIGNALS:
    // Emitted on the worker thread after each pass: connect with a queued
    // (or automatic) connection so the receiver handles it on its own thread.
    void Scanned(const OutlineItems& items);

protected:
    void Run() override;

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_woken = false;
    bool m_stop = false;
    bool m_release = false;
    std::optional<QByteArray> m_text;
};
