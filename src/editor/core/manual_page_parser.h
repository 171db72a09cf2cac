// Reading the sections of one page of the NSIS manual (HTML or a plug-in's plain-text readme).
#pragma once

#include "editor/core/manual_section.h"

#include <QList>
#include <QString>
#include <QStringView>

// The text of an HTML fragment: tags dropped, entities decoded; blanks
// collapsed unless keepLines, which keeps the line breaks of <pre> text.
QString HtmlToPlain(const QString& html, bool keepLines = false);

// The keyword sections of an HTML page; file is its path relative to the
// manual's folder ("Chapter4.html", "nsDialogs/Readme.html"): pages in a
// sub-folder document that folder's plug-in and its header's macros.
QList<ManualSection> ParseManualPage(const QString& file, const QString& html);

// The plug-in functions ("nsExec::ExecToLog ...") a plain-text readme names,
// each with its usage line and the readme's opening paragraph.
QList<ManualSection> ParseManualTextPage(const QString& file, const QString& text);
