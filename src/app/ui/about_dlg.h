// CAboutDlg: the About dialog with the program's and the installed compiler's versions.
#pragma once

#include <QDialog>

class QUrl;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // nsisVersion: what the installed makensis reports; empty when it could not be asked.
    // site: the maker's web site, where the deployment's servers put it.
    CAboutDlg(const QString& nsisVersion, const QUrl& site, QWidget* parent);
};
