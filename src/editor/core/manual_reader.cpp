// CManualIndexThread: finds the installed NSIS manual and indexes it (or loads the cached index) off the UI thread.
#include "editor/core/manual_reader.h"

#include "editor/core/compiler_question.h"
#include "editor/core/manual_cache.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

QString DocFolderFromHdrInfo(QByteArrayView output) {
    static const QRegularExpression prefix(QStringLiteral(R"re((?:^|[,\s])PREFIX_DOC=([^,\r\n]+))re"));
    const auto match = prefix.match(QString::fromUtf8(output));
    if (!match.hasMatch())
        return {};
    return QDir(match.captured(1).trimmed()).filePath(QStringLiteral("Docs"));
}

CManualIndexThread::CManualIndexThread(QString compilerPath, QString fallbackFolder, QString cacheFile)
    : m_compilerPath(std::move(compilerPath)),
      m_fallbackFolder(std::move(fallbackFolder)),
      m_cacheFile(std::move(cacheFile)),
      m_index(std::make_shared<const ManualIndex>()) {}

CManualIndexThread::~CManualIndexThread() {
    m_quit = true;
    Join();
}

std::shared_ptr<const ManualIndex> CManualIndexThread::Index() const {
    std::lock_guard lock(m_mutex);
    return m_index;
}

QString CManualIndexThread::FindDocFolder() {
    const std::optional<QByteArray> output =
        AskCompilerFromWorker(m_compilerPath, QStringLiteral("-HDRINFO"), QProcess::SeparateChannels, m_quit);
    if (!output)
        return m_quit ? QString() : m_fallbackFolder;
    const QString folder = DocFolderFromHdrInfo(*output);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return m_fallbackFolder;
}

void CManualIndexThread::Run() {
    const QString folder = FindDocFolder();
    if (!m_quit && !folder.isEmpty()) {
        auto index = std::make_shared<const ManualIndex>(LoadOrBuildManualIndex(folder, m_cacheFile));
        std::lock_guard lock(m_mutex);
        m_index = std::move(index);
    }
    m_finished = true;
}
