// The program's icon, drawn in every size the desktop asks for.
#pragma once

#include <QIcon>
#include <QString>
#include <array>

// The sizes shipped as ":/icons/scrivo-<size>.png"; the same picture is ":/icons/scrivo.svg".
inline constexpr std::array<int, 8> kAppIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

QString AppIconResource(int size);
QIcon AppIcon();
