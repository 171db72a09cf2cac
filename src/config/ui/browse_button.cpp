// BrowseButton: the narrow "..." button beside a field that opens a chooser.
#include "config/ui/browse_button.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

QPushButton* BrowseButton(QWidget* parent) {
    auto* button = new QPushButton(u"..."_s, parent);
    button->setAutoDefault(false);
    button->setMaximumWidth(button->fontMetrics().horizontalAdvance(u"...."_s) + 16);
    return button;
}
