// The toolchain check: what this machine has for building and trying installers, found by asking the programs, and what each missing piece would bring.
#pragma once

#include "compiler/core/wine_setup.h"
#include "platform/thread.h"

#include <QObject>

#include <QList>
#include <QString>
#include <QStringList>

inline const QStringList kStubTargets = {QStringLiteral("x86-ansi"), QStringLiteral("x86-unicode"),
                                         QStringLiteral("amd64-unicode")};

struct ToolchainFacts {
    QString makensisPath;  // as configured or found on PATH
    bool makensisRuns = false;
    QString version;         // from -VERSION
    bool configLog = false;  // built with NSIS_CONFIG_LOG (from -HDRINFO)
    QString nsisDir;         // NSISDIR from -HDRINFO
    QStringList stubTargets;      // the targets of kStubTargets with a stub in NSISDIR/Stubs
    QStringList pluginFolders;    // NSISDIR/Plugins/<target> that exist
    QString includeFolder;        // NSISDIR/Include when it exists
    QString manual;               // the installed HTML manual; empty without nsis-doc
    WineSetup wine;
    QString wineVersion;
};

// One row of the page.
struct ToolchainItem {
    QString name;
    bool present = false;
    QString found;  // what was found, or "未找到"
    QString gain;   // for a missing piece: what installing it brings and how
};

// Asks makensis (-VERSION, -HDRINFO) and wine (--version), each within
// timeoutMs, and looks at the folders makensis names. Blocks: call it off the
// user-interface thread.
ToolchainFacts GatherToolchainFacts(const QString& makensisPath, int timeoutMs);

// Reads NSISDIR and NSIS_CONFIG_LOG from the -HDRINFO output.
void ReadHeaderInfo(const QString& output, ToolchainFacts& facts);

QList<ToolchainItem> ToolchainItems(const ToolchainFacts& facts);

// Gathers the facts on a worker thread; Ready arrives on this object's thread.
class CToolchainCheckLogic : public QObject, private CThread {
    Q_OBJECT
public:
    CToolchainCheckLogic(QString makensisPath, int timeoutMs, QObject* parent = nullptr);
    // Waits for the worker, whose every question has its own time limit.
    ~CToolchainCheckLogic() override { Join(); }
    bool Start() { return CThread::Start(); }

Q_SIGNALS:
    void Ready(const ToolchainFacts& facts);

protected:
    void Run() override;

private:
    QString m_makensisPath;
    int m_timeoutMs;
};
