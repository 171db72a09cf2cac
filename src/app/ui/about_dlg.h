// CAboutDlg: the About dialog with the program's and the installed compiler's versions.
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // nsisVersion: what the installed makensis reports; empty when it could not be asked.
    CAboutDlg(const QString& nsisVersion, QWidget* parent);
};
