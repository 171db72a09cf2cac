// The program's name as its window caption and message boxes show it.
#pragma once

#include <QString>

inline const QString kAppName = QStringLiteral("Korvane安装");
