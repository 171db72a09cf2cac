// InsertStatCode: puts the statistics line into a script held by an editing component.
#pragma once

#include <QString>

class QsciScintillaBase;

// Deletes the script's statistics lines and inserts the new one after the
// OutFile line, as one undo step, then selects the new line.
void InsertStatCode(QsciScintillaBase& editor, const QString& number, const QString& comment);
