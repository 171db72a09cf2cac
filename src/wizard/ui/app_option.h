// CAppOption: wizard page 2, the installer's interface, file, icon, bitmaps, language and compression.
#pragma once

#include "wizard/ui/wizard_page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class CAppOption : public CWizardPage {
    Q_OBJECT
public:
    // nsisDir: what ${NSISDIR} stands for, to find the files the paths name.
    CAppOption(WizardData& data, Prompter& prompter, const QString& nsisDir, QWidget* parent);
    bool Store() override;

protected:
    QWidget* FieldWidget(WizardField field) const override;

private:
    void OnInterfaceChosen(int index);
    void BrowseSetupFile();

    QString m_nsisDir;
    QComboBox* m_interface;
    QCheckBox* m_xpStyle;
    QLineEdit* m_setupFile;
    QLineEdit* m_icon;
    QLineEdit* m_leftBitmap;
    QLineEdit* m_topBitmap;
    QWidget* m_leftBitmapRow;
    QWidget* m_topBitmapRow;
    QComboBox* m_language;
    QComboBox* m_compressor;
};
