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

// One definition as the text shows it, with what makensis would make of it.
struct SymbolDefinition {
    SourcePlace place;
    // False when a condition the index cannot evaluate (!if, a symbol of
    // unknown value, a macro's body) decides whether makensis reads it.
    bool certain = true;
    // For a label: it lies in an uninstaller function or section ("un." names).
    bool uninstall = false;
    // For a label: its name appears elsewhere in its function or section.
    bool referenced = false;
};

// The files are found as makensis 3.08 finds them on this platform: a
// relative !include in the folder makensis compiles in, then in
// NSISDIR/Include, then in every !addincludedir folder seen so far; the file
// name (not the folders) matches without regard to case. ${NSISDIR},
// ${__FILEDIR__} and the symbols defined so far are expanded. Branches of
// !ifdef/!ifndef/!else that makensis skips are skipped. Files are read in the
// encoding the editor detects, so a GBK script is searched like any other.
class CSourceIndex {
public:
    // defines: "name[=value]" as given to makensis with -D.
    CSourceIndex(const QString& scriptPath, const QString& compileFolder, const QString& nsisDir,
                 const QStringList& defines = {});

    // The first definition of name, in include order.
    std::optional<SourcePlace> Find(SymbolKind kind, const QString& name) const;
    // Every definition of name in include order, inactive branches left out.
    // A function defined inside a macro under a name built from its
    // parameters ("${UN}Name") is a definition of each name it can make.
    QList<SymbolDefinition> Definitions(SymbolKind kind, const QString& name) const;
    // The file an !include in fromFile names, as makensis would find it now; empty when none.
    QString ResolveInclude(const QString& name, const QString& fromFile) const;
    // Whether the file (an absolute, clean path) is the script or one it includes.
    bool Reads(const QString& path) const { return m_read.contains(path); }

private:
    enum class Truth { Yes, No, Unknown };
    struct Branch {
        Truth truth;
        Truth taken;  // whether an earlier branch of the same !if was read
    };
    struct Block {
        bool uninstall = false;
        QSet<QString> words;  // of its lines other than label definitions
    };
    struct Entry {
        SymbolDefinition definition;
        int block = -1;
    };

    void Read(const QString& path);
    void ReadLine(const QString& file, int number, const QString& line);
    bool ReadConditional(QStringView trimmed);
    void ReadDefine(QStringView rest, bool undefine);
    void ReadBlockLine(QStringView trimmed, bool labelDefinition);
    Truth Condition(QStringView directive, QStringView rest) const;
    Truth Current() const;
    QString Expand(QString path, const QString& fromFile) const;

    QString m_compileFolder;
    QString m_nsisDir;
    QStringList m_includeDirs;
    QSet<QString> m_read;
    QHash<QString, QString> m_defines;
    QSet<QString> m_uncertainDefines;  // defined or undefined where the index cannot tell
    QList<Branch> m_branches;
    bool m_inMacro = false;
    int m_block = -1;
    QList<Block> m_blocks;
    std::array<QHash<QString, QList<Entry>>, 4> m_definitions;  // by SymbolKind
    QList<std::pair<QString, Entry>> m_functionTemplates;       // names holding "${"
};
