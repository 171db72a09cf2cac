// Whether a file a script names (license, icon, bitmap) is there, as far as the wizard can tell before the script is saved.
#pragma once

#include <QString>

enum class PathState { Exists, Missing, Unknown };

// scriptPath as the script writes it; nsisDir is what ${NSISDIR} stands for (empty when
// unknown). Unknown for paths that depend on other variables or on the script's folder,
// which makensis resolves only when it compiles.
PathState FileExistsFor(const QString& scriptPath, const QString& nsisDir);
