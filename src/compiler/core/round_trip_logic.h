// CRoundTripLogic: installs a built installer silently in a throwaway wine prefix, uninstalls it, and reports both, on a worker thread.
#pragma once

#include "compiler/core/round_trip_report.h"
#include "platform/thread.h"

#include <QObject>
#include <QString>

#include <atomic>

struct RoundTripOptions {
    QString installerPath;
    bool chooseDirectory = false;  // pass /D= with a folder inside the prefix
    // A pristine prefix kept for the session: made on the first run, copied by
    // every run, never run itself. Empty: each run makes its own.
    QString templateFolder;
    // Where the run's own folder goes; empty: the system's temporary folder.
    QString workRoot;
    int stepLimitMs = 120000;     // each of installing and uninstalling
    int prefixLimitMs = 300000;   // making a prefix
    bool keepPrefix = false;
};

// One round trip at a time. Signals arrive on the thread this object lives in.
class CRoundTripLogic : public QObject, private CThread {
    Q_OBJECT
public:
    explicit CRoundTripLogic(QObject* parent = nullptr);
    // Stops a running round trip and waits for it: wine processes left behind
    // would outlive the program.
    ~CRoundTripLogic() override;

    // False, changing nothing, while one runs.
    bool Start(const RoundTripOptions& options);
    // Ends every process of the run's prefix; the report says it was stopped.
    void Stop();
    bool IsRunning() const { return m_running; }

Q_SIGNALS:
    void Progress(const QString& text);
    void Finished(const RoundTripReport& report);

protected:
    void Run() override;

private:
    RoundTripOptions m_options;
    bool m_running = false;  // touched on the owner's thread only
    std::atomic<bool> m_stop = false;
};
