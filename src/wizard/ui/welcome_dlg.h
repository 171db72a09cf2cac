// CWelcomeDlg: the wizard's first page, what the wizard does, beside a band of colour.
#pragma once

#include "wizard/ui/wizard_page.h"

class CWelcomeDlg : public CWizardPage {
    Q_OBJECT
public:
    CWelcomeDlg(WizardData& data, Prompter& prompter, QWidget* parent);
};

// The band on the welcome page's left, painted so it scales with the page.
class CWizardBand : public QWidget {
    Q_OBJECT
public:
    explicit CWizardBand(QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
