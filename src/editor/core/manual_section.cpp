// ManualSection: what the NSIS manual says about one keyword, and where it says it.
#include "editor/core/manual_section.h"

#include <QDir>

QUrl SectionUrl(const QString& docFolder, const ManualSection& section) {
    QUrl url = QUrl::fromLocalFile(QDir(docFolder).filePath(section.file));
    if (!section.anchor.isEmpty())
        url.setFragment(section.anchor);
    return url;
}

QDataStream& operator<<(QDataStream& out, const ManualSection& section) {
    out << section.name << qint32(section.kind) << section.file << section.anchor << section.usage
        << qint32(section.parameters.size());
    for (const ManualParameter& parameter : section.parameters)
        out << parameter.name << parameter.description;
    return out << section.firstParagraph << section.example;
}

QDataStream& operator>>(QDataStream& in, ManualSection& section) {
    qint32 kind = 0;
    qint32 count = 0;
    in >> section.name >> kind >> section.file >> section.anchor >> section.usage >> count;
    if (kind < 0 || kind > qint32(ManualEntryKind::HeaderMacro) || count < 0 || count > 10000) {
        in.setStatus(QDataStream::ReadCorruptData);
        return in;
    }
    section.kind = ManualEntryKind(kind);
    section.parameters.clear();
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        ManualParameter parameter;
        in >> parameter.name >> parameter.description;
        section.parameters.append(parameter);
    }
    return in >> section.firstParagraph >> section.example;
}
