// The NSIS command tips table, read from `makensis -CMDHELP` by CGetNsisFuncTipsThread.
#pragma once

#include "platform/thread.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <atomic>
#include <memory>
#include <mutex>

// Command name in lower case -> its usage text; lines joined by CR LF; UTF-8.
using NsisTipsTable = QHash<QByteArray, QByteArray>;

// Builds the table from the compiler's command help. A banner, which some
// builds print first, is skipped; the commands themselves never are.
NsisTipsTable ParseCmdHelp(QByteArrayView utf8);

// Reads the command help once, off the UI thread. Until it has finished the
// table is empty; it is then handed over whole, so a reader never sees it
// half filled.
class CGetNsisFuncTipsThread : public CThread {
public:
    explicit CGetNsisFuncTipsThread(QString compilerPath);
    // Ends a compiler that has not answered yet rather than wait for it.
    ~CGetNsisFuncTipsThread() override;

    std::shared_ptr<const NsisTipsTable> Table() const;
    bool HasFinished() const { return m_finished; }

protected:
    void Run() override;

private:
    QString m_compilerPath;
    std::atomic<bool> m_quit{false};
    std::atomic<bool> m_finished{false};
    mutable std::mutex m_mutex;
    std::shared_ptr<const NsisTipsTable> m_table;
};
