// The value rules of the settings pages: tab width, font and size choices, box search and the style preview text.
#pragma once

#include <QString>
#include <QStringList>

// The tab width stored for what the number box holds: below 1 (or no number) becomes 4.
int TabSizeFromText(const QString& text);

// The size box's entries: "" and the point sizes from 5 to 28.
QStringList FontSizeChoices();
// The font box's entries: "" first, then each family once (ignoring case), sorted as the box sorts.
QStringList FontChoices(const QStringList& families);
// The first entry that starts with prefix, ignoring case, as a selecting search in a box does; -1 for none.
int FindPrefix(const QStringList& entries, const QString& prefix);

// The preview's text for a style name.
QString PreviewText(const QString& styleName);
