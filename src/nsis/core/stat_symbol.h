// The statistics line as the stock makensis can read it: a definition of the statistics symbol.
#pragma once

#include <QByteArray>

// Turns each uncommented "KorvaneID <number>" line of a UTF-8 script into
// `!define KorvaneID "<number>"`, keeping indentation, trailing comments and
// line breaks, so every line keeps its number. The number must be letters and
// digits; any other line is left for makensis to judge. True when a line changed.
bool DefineStatSymbol(QByteArray& utf8Script);
