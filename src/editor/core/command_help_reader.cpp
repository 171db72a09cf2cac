// The NSIS command tips table and its reader thread.
#include "editor/core/command_help_reader.h"

#include "editor/core/compiler_question.h"
#include "editor/core/encoding_detection.h"

namespace {

bool IsBannerLine(QByteArrayView line) {
    for (const QByteArrayView start :
         {QByteArrayView("MakeNSIS v"), QByteArrayView("Copyright"), QByteArrayView("Portions Copyright"),
          QByteArrayView("See the file COPYING"), QByteArrayView("Credits can be found")}) {
        if (line.startsWith(start))
            return true;
    }
    return line.trimmed().isEmpty();
}
}  // namespace

NsisTipsTable ParseCmdHelp(QByteArrayView utf8) {
    NsisTipsTable table;
    QByteArray lastKey;
    bool inBanner = true;
    for (QByteArrayView line : QByteArray::fromRawData(utf8.data(), utf8.size()).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (inBanner && IsBannerLine(line))
            continue;
        inBanner = false;
        const qsizetype blank = line.indexOf(' ');
        if (blank < 0) {
            // No usage to show, and what follows continues nothing.
            lastKey.clear();
            continue;
        }
        if (blank > 0) {
            lastKey = line.first(blank).toByteArray().toLower();
            table[lastKey] = line.toByteArray();
        } else if (!lastKey.isEmpty()) {
            table[lastKey] += "\r\n" + line.toByteArray();
        }
    }
    return table;
}

CGetNsisFuncTipsThread::CGetNsisFuncTipsThread(QString compilerPath)
    : m_compilerPath(std::move(compilerPath)), m_table(std::make_shared<const NsisTipsTable>()) {}

CGetNsisFuncTipsThread::~CGetNsisFuncTipsThread() {
    m_quit = true;
    Join();
}

std::shared_ptr<const NsisTipsTable> CGetNsisFuncTipsThread::Table() const {
    std::lock_guard lock(m_mutex);
    return m_table;
}

void CGetNsisFuncTipsThread::Run() {
    const std::optional<QByteArray> output =
        AskCompilerFromWorker(m_compilerPath, QStringLiteral("-CMDHELP"), QProcess::MergedChannels, m_quit);
    if (output && !m_quit) {
        // UTF-8 here; other builds write UTF-16 or the ANSI code page.
        const DetectedEncoding detected = DetectEncoding(*output);
        QByteArray text;
        DecodeToUtf8(QByteArrayView(*output).sliced(detected.markLength), detected.encoding, detected.codePage, text);
        auto table = std::make_shared<const NsisTipsTable>(ParseCmdHelp(text));
        std::lock_guard lock(m_mutex);
        m_table = std::move(table);
    }
    m_finished = true;
}
