// CAppInfo: wizard page 1, the product's name, version, publisher, web site and the installer's branding text.
#pragma once

#include "wizard/ui/wizard_page.h"

class QComboBox;
class QLineEdit;

class CAppInfo : public CWizardPage {
    Q_OBJECT
public:
    CAppInfo(WizardData& data, Prompter& prompter, QWidget* parent);
    bool Store() override;

protected:
    QWidget* FieldWidget(WizardField field) const override;

private:
    void OnBrandingChosen(int index);

    QLineEdit* m_name;
    QLineEdit* m_version;
    QLineEdit* m_publisher;
    QLineEdit* m_webSite;
    QComboBox* m_branding;
    QLineEdit* m_customBranding;
};
