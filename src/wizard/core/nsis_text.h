// How the user's free texts are written into a generated script so that NSIS shows them as typed.
#pragma once

#include <QString>

// For a quoted string that the installer resolves when it runs (names, captions,
// descriptions): "$" becomes "$$", '"' becomes $\", line breaks $\r$\n, tabs $\t.
QString InstallTimeText(const QString& text);

// For a quoted string that makensis resolves while compiling (version keys): these
// know $\" and $\r$\n but keep "$$" as two dollars, so a dollar stays single.
QString CompileTimeText(const QString& text);

// The product name as a folder or file name inside a quoted path: the characters
// Windows refuses in names are left out and "$" is doubled.
QString ProductFileName(const QString& name);

// A text placed in a one-line comment: line breaks become blanks.
QString CommentText(const QString& text);
