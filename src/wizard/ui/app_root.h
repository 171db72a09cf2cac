// CAppRoot: wizard page 3, the install directory and the license.
#pragma once

#include "wizard/ui/wizard_page.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

class CAppRoot : public CWizardPage {
    Q_OBJECT
public:
    CAppRoot(WizardData& data, Prompter& prompter, const QString& nsisDir, QWidget* parent);
    bool Enter() override;
    bool Store() override;

protected:
    QWidget* FieldWidget(WizardField field) const override;

private:
    void UpdateControls();
    LicenseMode CheckedLicenseMode() const;

    QString m_nsisDir;
    QComboBox* m_installDir;
    QCheckBox* m_allowDirChange;
    QCheckBox* m_useLicense;
    QLineEdit* m_licenseFile;
    QWidget* m_licenseRow;
    QGroupBox* m_licenseModes;
    QList<QRadioButton*> m_modeButtons;
};
