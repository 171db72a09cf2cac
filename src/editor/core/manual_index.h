// ManualIndex: the keywords of the installed NSIS manual and their sections.
#pragma once

#include "editor/core/manual_section.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>

class ManualIndex {
public:
    ManualIndex() = default;
    ManualIndex(QString docFolder, QList<ManualSection> sections);

    // False when no manual was found (or it documents nothing).
    bool IsAvailable() const { return !m_sections.isEmpty(); }
    const QString& DocFolder() const { return m_docFolder; }
    const QList<ManualSection>& Sections() const { return m_sections; }
    // The keyword's section, letter case ignored; nullptr when the manual has none.
    const ManualSection* Find(const QString& keyword) const;
    QUrl UrlOf(const ManualSection& section) const { return SectionUrl(m_docFolder, section); }
    // The manual's table of contents.
    QUrl ContentsUrl() const;

private:
    QString m_docFolder;
    QList<ManualSection> m_sections;
    QHash<QString, qsizetype> m_byName;  // lower-case name -> index in m_sections
};

// The pages the index reads: the HTML pages of the folder, and the HTML and
// plain-text readmes of its plug-in sub-folders; relative paths, sorted.
QStringList ManualPages(const QString& docFolder);

// Reads every page; an empty index when the folder holds no manual.
ManualIndex BuildManualIndex(const QString& docFolder);
