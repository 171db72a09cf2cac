// ManualIndex: the keywords of the installed NSIS manual and their sections.
#include "editor/core/manual_index.h"

#include "editor/core/manual_page_parser.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace {
constexpr char kContentsPage[] = "Contents.html";
}

ManualIndex::ManualIndex(QString docFolder, QList<ManualSection> sections)
    : m_docFolder(std::move(docFolder)), m_sections(std::move(sections)) {
    for (qsizetype i = 0; i < m_sections.size(); ++i)
        m_byName.insert(m_sections[i].name.toLower(), i);
}

const ManualSection* ManualIndex::Find(const QString& keyword) const {
    const auto found = m_byName.constFind(keyword.toLower());
    return found == m_byName.cend() ? nullptr : &m_sections[found.value()];
}

QUrl ManualIndex::ContentsUrl() const {
    return QUrl::fromLocalFile(QDir(m_docFolder).filePath(QLatin1String(kContentsPage)));
}

QStringList ManualPages(const QString& docFolder) {
    const QDir folder(docFolder);
    QStringList pages = folder.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString& sub : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QDir plugin(folder.filePath(sub));
        for (const QString& page :
             plugin.entryList({QStringLiteral("*.html"), QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
            pages << sub + u'/' + page;
    }
    return pages;
}

ManualIndex BuildManualIndex(const QString& docFolder) {
    QList<ManualSection> sections;
    QSet<QString> names;
    for (const QString& page : ManualPages(docFolder)) {
        QFile file(QDir(docFolder).filePath(page));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        const QList<ManualSection> found =
            page.endsWith(QLatin1String(".txt")) ? ParseManualTextPage(page, text) : ParseManualPage(page, text);
        // The first page that documents a name keeps it.
        for (const ManualSection& section : found) {
            if (!names.contains(section.name.toLower())) {
                names.insert(section.name.toLower());
                sections.append(section);
            }
        }
    }
    return ManualIndex(docFolder, std::move(sections));
}
