// CWizardPage: what every page of the new-script wizard shares: the record it fills, its title, the enter/store protocol and refusals.
#pragma once

#include "wizard/core/page_store.h"

#include <QWidget>

class Prompter;
class QVBoxLayout;

class CWizardPage : public QWidget {
    Q_OBJECT
public:
    // An empty title makes a page without the title band (welcome and end pages).
    CWizardPage(WizardData& data, Prompter& prompter, const QString& title, QWidget* parent);

    // Prepares the page from the record before it is shown; false keeps the wizard where it is.
    virtual bool Enter() { return true; }
    // Checks and stores the page's controls; false, after telling the user why, keeps the page.
    virtual bool Store() { return true; }

protected:
    // Where a page puts its controls.
    QVBoxLayout* Body() const { return m_body; }
    WizardData& Data() const { return m_data; }
    Prompter& Ask() const { return m_prompter; }

    // True when nothing was refused; otherwise shows the message and puts the caret
    // into the field it points at, with the field's text selected.
    bool Accept(const StoreResult& result);
    virtual QWidget* FieldWidget(WizardField field) const;

private:
    WizardData& m_data;
    Prompter& m_prompter;
    QVBoxLayout* m_body;
};
