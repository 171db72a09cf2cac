// CManualIndexThread: finds the installed NSIS manual and indexes it (or loads the cached index) off the UI thread.
#pragma once

#include "editor/core/manual_index.h"
#include "platform/thread.h"

#include <QByteArrayView>
#include <QString>
#include <atomic>
#include <memory>
#include <mutex>

// The manual's folder that `makensis -HDRINFO` names: PREFIX_DOC with "Docs"
// below it; "" when the output names none.
QString DocFolderFromHdrInfo(QByteArrayView output);

class CManualIndexThread : public CThread {
public:
    // The folder comes from the compiler's -HDRINFO; fallbackFolder serves
    // when the compiler names none that exists.
    CManualIndexThread(QString compilerPath, QString fallbackFolder, QString cacheFile);
    ~CManualIndexThread() override;

    // Empty until the reader has finished; then handed over whole.
    std::shared_ptr<const ManualIndex> Index() const;
    bool HasFinished() const { return m_finished; }

protected:
    void Run() override;

private:
    QString FindDocFolder();

    QString m_compilerPath;
    QString m_fallbackFolder;
    QString m_cacheFile;
    std::atomic<bool> m_quit{false};
    std::atomic<bool> m_finished{false};
    mutable std::mutex m_mutex;
    std::shared_ptr<const ManualIndex> m_index;
};
