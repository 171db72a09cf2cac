// The symbols one NSIS file defines and uses, and the includes it names, read from its text alone.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

// makensis 3.08 matches every one of these names without regard to ASCII case.
enum class NsisSymbolKind { Function, Macro, Define, Variable, LangString, Section, Label };

struct NsisOccurrence {
    NsisSymbolKind kind = NsisSymbolKind::Function;
    QString name;       // as written
    int line = 0;       // 0-based
    int column = 0;     // UTF-16 offset in the line
    int length = 0;
    bool definition = false;
    int scope = -1;     // for labels: the function or section (index into NsisFileScan::scopeLines), else -1
};

// An !include or !addincludedir, in the order the file names them.
struct NsisIncludeDirective {
    bool addIncludeDir = false;
    QString argument;  // the path as written, quotes and switches removed
    int line = 0;
};

struct NsisFileScan {
    std::vector<NsisOccurrence> occurrences;  // in text order
    std::vector<NsisIncludeDirective> includes;
    std::vector<int> scopeLines;  // the line of each Function/Section/SectionGroup that opens a label scope
};

// Reads the text as makensis reads its lines: comments (';' and '#' at a
// word start, "/* */") and quotes hide names, except the $Name, ${Name} and
// $(Name) that makensis expands inside quotes; a line ending in '\' goes on.
NsisFileScan ScanNsisSymbols(QStringView text);

// Folded name for comparisons, as makensis compares.
QString NsisSymbolKey(QStringView name);

// The definition's line with the comment lines (';' or '#') directly above it, in text order.
QStringList DefinitionWithComments(QStringView text, int line);
