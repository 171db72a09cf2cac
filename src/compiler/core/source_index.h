// CSourceIndex: where macros, variables, functions and labels are defined in a script and the files it includes.
#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

struct SourcePlace {
    QString file;  // absolute
    int line = 0;  // 1-based
};

enum class SymbolKind { Macro, Variable, Function, Label };

// The files are found as makensis finds them: a relative !include in the
// folder makensis compiles in, then in every !addincludedir folder seen so
// far, then in NSISDIR/Include. Files are read in the encoding the editor
// detects, so a GBK script is searched like any other.
class CSourceIndex {
public:
    CSourceIndex(const QString& scriptPath, const QString& compileFolder, const QString& nsisDir);

    // The occurrence-th definition (0-based) of name, in include order.
    std::optional<SourcePlace> Find(SymbolKind kind, const QString& name, int occurrence = 0) const;
    // The file an !include names, as makensis would find it now; empty when none.
    QString ResolveInclude(const QString& name) const;
    // Whether the file (an absolute, clean path) is the script or one it includes.
    bool Reads(const QString& path) const { return m_read.contains(path); }

private:
    void Read(const QString& path);
    void ReadLine(const QString& file, int number, const QString& line);
    QString Expand(QString path) const;

    QString m_compileFolder;
    QString m_nsisDir;
    QStringList m_includeDirs;
    QSet<QString> m_read;
    std::array<QHash<QString, QList<SourcePlace>>, 4> m_definitions;  // by SymbolKind
};
