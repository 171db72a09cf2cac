// SymbolDef: one compile-time symbol of the `Defs` setting, and the conversions between the setting and its rows.
#include "config/core/symbol_defs.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {
// Each line starts with the two characters "/D", which are not part of the name.
constexpr qsizetype kPrefixLength = 2;
}  // namespace

std::vector<SymbolDef> ParseDefs(const QString& defs) {
    std::vector<SymbolDef> rows;
    for (const QString& line : defs.split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) {
            rows.push_back({line.mid(kPrefixLength), {}});
            continue;
        }
        // A line such as "=x" has no room for a name before its "=".
        const QString name = equals > kPrefixLength ? line.mid(kPrefixLength, equals - kPrefixLength) : QString();
        rows.push_back({name, line.mid(equals + 1)});
    }
    return rows;
}

QString JoinDefs(const std::vector<SymbolDef>& rows) {
    QStringList lines;
    for (const SymbolDef& row : rows)
        lines << (row.value.isEmpty() ? u"/D"_s + row.name : u"/D"_s + row.name + u'=' + row.value);
    return lines.join(u'\n');
}
