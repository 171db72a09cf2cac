// The statistics line of a script: one format shared by the wizard's generator and statistics insertion.
#pragma once

#include <QString>

// The one copy of the comment format; "%s" takes the statistics item's name.
extern const char kStatCommentFormat[];

// The symbol an installer reads its statistics number from.
inline constexpr char kStatSymbol[] = "KorvaneID";

// kStatCommentFormat filled with the item name.
QString StatComment(const QString& itemName);

// "KorvaneID <number> <comment>", the line statistics insertion puts after OutFile.
QString StatLine(const QString& number, const QString& comment);

// The line the wizard writes after OutFile: commented out with a hint when no number was
// given, so that the script still compiles and shows where the number goes.
QString WizardStatLine(const QString& statNumber, const QString& statItemName, const QString& appName);
