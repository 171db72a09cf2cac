// CCompileOutputScanner: what the driver reads from the compiler's output lines.
#include "compiler/core/output_scanner.h"

#include <QDir>
#include <algorithm>
#include <climits>
#include <utility>

namespace {
bool StartsWithIgnoringCase(QByteArrayView text, QByteArrayView prefix) {
    return text.size() >= prefix.size() && text.first(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0;
}

QByteArrayView WithoutTrailingCr(QByteArrayView line) { return line.endsWith('\r') ? line.chopped(1) : line; }
}  // namespace

std::optional<int> ErrorLineNumber(QByteArrayView line) {
    if (!StartsWithIgnoringCase(line, "Error in script "))
        return std::nullopt;
    const QByteArray lower = line.toByteArray().toLower();
    const qsizetype at = lower.indexOf("on line ");
    if (at < 0)
        return std::nullopt;
    qsizetype i = at + 8;
    while (i < lower.size() && lower[i] == ' ')
        ++i;
    long long number = 0;
    for (; i < lower.size() && lower[i] >= '0' && lower[i] <= '9'; ++i)
        number = std::min<long long>(number * 10 + (lower[i] - '0'), INT_MAX);
    return static_cast<int>(number);
}

QString BadEncodingHint(const QString& file) {
    return QStringLiteral("提示：文件“%1”不是 UTF-8 编码，编译器无法读取。请将它转换为 UTF-8 编码后再编译。\n")
        .arg(file);
}

CCompileOutputScanner::CCompileOutputScanner(QString compileFolder) : m_compileFolder(std::move(compileFolder)) {}

ScanFindings CCompileOutputScanner::Feed(QByteArrayView utf8) {
    ScanFindings findings;
    m_lines.Feed(utf8, [&](QByteArrayView line) { ScanLine(line, findings); });
    return findings;
}

ScanFindings CCompileOutputScanner::Finish() {
    ScanFindings findings;
    m_lines.Finish([&](QByteArrayView line) { ScanLine(line, findings); });
    return findings;
}

void CCompileOutputScanner::ScanLine(QByteArrayView rawLine, ScanFindings& findings) {
    const QByteArrayView line = WithoutTrailingCr(rawLine);
    if (const std::optional<int> number = ErrorLineNumber(line)) {
        // A missing number leads to the first line.
        findings.errorLine = std::max(*number - 1, 0);
        return;
    }
    static constexpr QByteArrayView outputPrefix = "Output: \"";
    if (line.startsWith(outputPrefix) && line.endsWith('"') && line.size() > outputPrefix.size() + 1) {
        const QString path = QString::fromUtf8(line.sliced(outputPrefix.size()).chopped(1));
        m_installerPath = QDir::cleanPath(QDir(m_compileFolder).absoluteFilePath(path));
        return;
    }
    static constexpr QByteArrayView encodingPrefix = "Bad text encoding: ";
    if (line.startsWith(encodingPrefix)) {
        QString file = QString::fromUtf8(line.sliced(encodingPrefix.size()));
        // The compiler adds ":<line>" after the file name.
        const qsizetype colon = file.lastIndexOf(QLatin1Char(':'));
        if (colon > 0) {
            bool isNumber = false;
            file.mid(colon + 1).toInt(&isNumber);
            if (isNumber)
                file.truncate(colon);
        }
        if (!m_hintedFiles.contains(file)) {
            m_hintedFiles.insert(file);
            findings.hints.append(BadEncodingHint(file).toUtf8());
        }
    }
}
