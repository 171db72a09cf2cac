// Every header of NSIS's own Include folder: the outline finds what a plain grep finds.
#include "outline/core/outline_scanner.h"

#include "support/nsis_dir.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// "line: Keyword name" for each Section, Function and !macro, the way grep sees them:
// block comments blanked (keeping their line breaks), ';' and '#' comments cut
// outside quotes.
QStringList GrepEntries(QString text) {
    static const QRegularExpression block(QStringLiteral("/\\*.*?\\*/"),
                                          QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression comment(QStringLiteral("^((?:[^;#\"']|\"[^\"]*\"|'[^']*')*)[;#].*$"));
    static const QRegularExpression entry(QStringLiteral("^\\s*(section|function|!macro)\\b(?:\\s(.*))?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    QString blanked;
    qsizetype from = 0;
    for (auto it = block.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        blanked += text.mid(from, m.capturedStart() - from);
        blanked += QString(m.captured().count(QLatin1Char('\n')), QLatin1Char('\n'));
        from = m.capturedEnd();
    }
    blanked += text.mid(from);

    QStringList entries;
    const QStringList lines = blanked.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        line.replace(comment, QStringLiteral("\\1"));
        const QRegularExpressionMatch m = entry.match(line);
        if (!m.hasMatch())
            continue;
        QString keyword = m.captured(1).toLower();
        keyword = keyword == QLatin1String("section") ? QStringLiteral("Section")
            : keyword == QLatin1String("function")    ? QStringLiteral("Function")
                                                      : QStringLiteral("!macro");
        entries << QStringLiteral("%1: %2 %3").arg(i).arg(keyword, m.captured(2).trimmed());
    }
    return entries;
}

QStringList OutlineEntries(const QByteArray& bytes) {
    QStringList entries;
    for (const OutlineItem& item : ScanOutline(std::string_view(bytes.constData(), std::size_t(bytes.size())))) {
        if (item.row == OutlineRow::Section || item.row == OutlineRow::Function || item.row == OutlineRow::Macro)
            entries << QStringLiteral("%1: %2").arg(item.line).arg(item.label.trimmed());
    }
    return entries;
}

}  // namespace

TEST(NsisIncludeOutline, EveryHeaderMatchesAPlainGrep) {
    const QString nsisDir = NsisDir();
    ASSERT_FALSE(nsisDir.isEmpty()) << "makensis -HDRINFO named no NSISDIR";
    QDirIterator files(nsisDir + QStringLiteral("/Include"), {QStringLiteral("*.nsh")}, QDir::Files,
                       QDirIterator::Subdirectories);
    int headers = 0;
    int entries = 0;
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = file.readAll();
        const QStringList expected = GrepEntries(QString::fromUtf8(bytes));
        const QStringList found = OutlineEntries(bytes);
        EXPECT_EQ(found, expected) << path.toStdString() << "\noutline:\n"
                                   << found.join('\n').toStdString() << "\ngrep:\n"
                                   << expected.join('\n').toStdString();
        ++headers;
        entries += int(found.size());
    }
    EXPECT_GE(headers, 20);
    EXPECT_GE(entries, 300);
}
