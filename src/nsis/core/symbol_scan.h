// The symbols one NSIS file defines and uses, and the includes it names, read from its text alone.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

// makensis 3.08 matches every one of these names without regard to ASCII case.
enum class NsisSymbolKind : quint8 { Function, Macro, Define, Variable, LangString, Section, Label };

// One name in the text, in eight bytes: the headers of an installation hold tens of thousands,
// so the name itself lives once per file in NsisFileScan.
struct NsisOccurrence {
    quint64 line : 24 = 0;    // 0-based
    quint64 column : 16 = 0;  // UTF-16 offset in the line
    quint64 name : 20 = 0;    // NsisFileScan::Name
    quint64 kind : 3 = 0;     // NsisSymbolKind
    quint64 definition : 1 = 0;

    NsisSymbolKind Kind() const { return NsisSymbolKind(kind); }
};

// Names past these limits are not indexed: makensis refuses lines of more than about 16 K
// characters, and a file of 16 M lines or a million distinct names is no script a person edits.
inline constexpr int kNsisMaxLine = (1 << 24) - 1;
inline constexpr int kNsisMaxColumn = (1 << 16) - 1;
inline constexpr int kNsisMaxNames = 1 << 20;

// An !include or !addincludedir, in the order the file names them.
struct NsisIncludeDirective {
    bool addIncludeDir = false;
    QString argument;  // the path as written, quotes and switches removed
    int line = 0;
};

// The lines of a Function or Section, where its labels live.
struct NsisLabelScope {
    int first = 0;
    int last = 0;
};

struct NsisFileScan {
    std::vector<NsisOccurrence> occurrences;  // in text order
    std::vector<NsisIncludeDirective> includes;
    std::vector<NsisLabelScope> scopes;  // in text order
    QByteArray names;                    // each distinct name once, UTF-8, one after another
    std::vector<quint32> nameEnds;       // where each name of `names` ends

    QString Name(const NsisOccurrence& o) const;
    // The name's length in UTF-16 code units, as columns count.
    int Length(const NsisOccurrence& o) const;
    // The names of the file that are the key when ASCII case is ignored.
    std::vector<quint32> NamesMatching(const QString& key) const;
    // The function or section whose labels the line belongs to, or -1.
    int ScopeAt(int line) const;

private:
    QByteArrayView NameBytes(quint32 name) const;
};

// Reads the text as makensis reads its lines: comments (';' and '#' at a
// word start, "/* */") and quotes hide names, except the $Name, ${Name} and
// $(Name) that makensis expands inside quotes; a line ending in '\' goes on.
NsisFileScan ScanNsisSymbols(QStringView text);

// Folded name for comparisons, as makensis compares.
QString NsisSymbolKey(QStringView name);

// The definition's line with the comment lines (';' or '#') directly above it, in text order.
QStringList DefinitionWithComments(QStringView text, int line);
