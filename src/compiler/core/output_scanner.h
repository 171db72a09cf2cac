// CCompileOutputScanner: finds error lines, the installer path and encoding failures in the compiler's output.
#pragma once

#include "compiler/core/line_joiner.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSet>
#include <QString>
#include <optional>

// The 1-based line number of a line that begins with "Error in script "
// (any case) and holds "on line " (any case); 0 when no digits follow.
std::optional<int> ErrorLineNumber(QByteArrayView line);

// The log's hint for a file makensis could not read because it is not UTF-8.
QString BadEncodingHint(const QString& file);

struct ScanFindings {
    std::optional<int> errorLine;  // 0-based; the last error line of the batch
    QByteArray hints;              // UTF-8 text for the log
};

// Lines are examined whole: a line cut by a chunk boundary is joined with the
// rest from the next chunk before it is tested.
class CCompileOutputScanner {
public:
    // compileFolder: where makensis compiled, for a relative installer path.
    explicit CCompileOutputScanner(QString compileFolder);

    ScanFindings Feed(QByteArrayView utf8);
    // Examines a last line that had no line feed.
    ScanFindings Finish();

    // The installer named by the last `Output: "..."` line, made absolute.
    QString InstallerPath() const { return m_installerPath; }

private:
    void ScanLine(QByteArrayView line, ScanFindings& findings);

    QString m_compileFolder;
    CLineJoiner m_lines;
    QString m_installerPath;
    QSet<QString> m_hintedFiles;
};
