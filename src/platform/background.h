// RunInBackground: one piece of blocking work (a child process, say) on a thread of its own, its result on the UI thread.
#pragma once

#include <QObject>
#include <QThread>

#include <functional>
#include <memory>
#include <optional>

// work runs on a new thread; done gets its result on context's thread, and
// not at all when context is gone by then. work must end by itself (its
// child processes have time limits); the thread then cleans up after itself.
template <class Result>
void RunInBackground(QObject* context, std::function<Result()> work, std::function<void(const Result&)> done) {
    auto result = std::make_shared<std::optional<Result>>();
    QThread* thread = QThread::create([result, work = std::move(work)] { result->emplace(work()); });
    // Dies with context, and with it the delivery.
    auto* receiver = new QObject(context);
    QObject::connect(thread, &QThread::finished, receiver, [receiver, result, done = std::move(done)] {
        receiver->deleteLater();
        if (*result)
            done(**result);
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}
