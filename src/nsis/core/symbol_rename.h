// Renaming a symbol everywhere the index sees it: the name checked, the edits planned, installation files refused.
#pragma once

#include "nsis/core/symbol_index.h"

#include <QString>
#include <vector>

struct RenameEdit {
    NsisPlace place;  // the old name's place
    QString before;   // the whole line now
    QString after;    // the whole line renamed
};

struct RenamePlan {
    QString error;  // why the rename cannot be done; empty when it can
    std::vector<RenameEdit> edits;  // by file in index order, then by position
};

// Whether makensis takes name as a symbol of that kind, as the index reads it back.
bool IsValidSymbolName(NsisSymbolKind kind, const QString& name);

// The edits that rename the symbol of `use` to newName. lineOf gives a
// file's line as it is now (open documents included). Refused when the name
// is not valid, is taken by another symbol of the kind (in the label's own
// scope), or a definition or use lies under nsisDir or in the settings.
RenamePlan PlanRename(const NsisSymbolIndex& index, const NsisSymbolUse& use, const QString& newName,
                      const QString& nsisDir, const std::function<QString(const QString& file, int line)>& lineOf);
