// InsertStatCode: puts the statistics line into a script held by an editing component.
#pragma once

#include <QString>

class ScintillaCall;

// Deletes the script's statistics lines and inserts the new one after the
// OutFile line, as one undo step, then selects the new line.
void InsertStatCode(ScintillaCall& editor, const QString& number, const QString& comment);
