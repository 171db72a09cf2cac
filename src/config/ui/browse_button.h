// BrowseButton: the narrow "..." button beside a field that opens a chooser.
#pragma once

class QPushButton;
class QWidget;

// Never the window's default button: Enter closes the settings, it does not browse.
QPushButton* BrowseButton(QWidget* parent);
