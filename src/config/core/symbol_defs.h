// SymbolDef: one compile-time symbol of the `Defs` setting, and the conversions between the setting and its rows.
#pragma once

#include <QString>
#include <vector>

struct SymbolDef {
    QString name;
    QString value;  // empty: the symbol is only defined

    bool operator==(const SymbolDef&) const = default;
};

// One row per line of `Defs` ("/Dname" or "/Dname=value"); empty lines make no row.
std::vector<SymbolDef> ParseDefs(const QString& defs);
// The rows back as `Defs`: "/D" and the name, "=value" when there is a value, joined by line feeds.
QString JoinDefs(const std::vector<SymbolDef>& rows);
