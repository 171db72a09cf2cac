// CAppRemove: wizard page 7, the uninstaller's graphics and how it removes the installed files.
#pragma once

#include "wizard/ui/wizard_page.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class CAppRemove : public CWizardPage {
    Q_OBJECT
public:
    // safeRemovalNote: what the installed compiler means for safe removal; empty for nothing.
    CAppRemove(WizardData& data, Prompter& prompter, const QString& nsisDir, const QString& safeRemovalNote,
               QWidget* parent);
    bool Enter() override;
    bool Store() override;

protected:
    QWidget* FieldWidget(WizardField field) const override;

private:
    void UpdateControls();

    QString m_nsisDir;
    QCheckBox* m_create;
    QLineEdit* m_icon;
    QLineEdit* m_leftBitmap;
    QLineEdit* m_topBitmap;
    QWidget* m_iconRow;
    QWidget* m_leftBitmapRow;
    QWidget* m_topBitmapRow;
    QRadioButton* m_simple;
    QRadioButton* m_safe;
    QLabel* m_safeNote;
};
