// The six 16 × 16 outline images: section, group, function, macro, conditional, page.
#pragma once

#include "outline/core/outline_item.h"

#include <QIcon>
#include <QPixmap>

#include <array>

// One 96 × 16 strip holding the six images side by side.
QPixmap OutlineImageStrip();

// The strip cut into its six images, in the order of the keyword table's image column.
std::array<QIcon, kOutlineImageCount> OutlineImages();
