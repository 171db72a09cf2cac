// CAppRoot: wizard page 3.
#include "wizard/ui/app_root.h"

#include "platform/prompter.h"
#include "wizard/core/page_controls.h"
#include "wizard/ui/wizard_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CAppRoot::CAppRoot(WizardData& data, Prompter& prompter, const QString& nsisDir, QWidget* parent)
    : CWizardPage(data, prompter, u"安装目录与授权信息 (3/8)"_s, parent),
      m_nsisDir(nsisDir),
      m_installDir(EditableList({u"$PROGRAMFILES"_s, u"$TEMP"_s, u"$DESKTOP"_s, u"$SYSDIR"_s, u"$EXEDIR"_s,
                                 u"$WINDIR"_s, u"$STARTMENU"_s, u"$SMPROGRAMS"_s, u"$QUICKLAUNCH"_s},
                                this)),
      m_allowDirChange(new QCheckBox(u"允许用户更改应用程序安装目录"_s, this)),
      m_useLicense(new QCheckBox(u"使用授权文件"_s, this)),
      m_licenseFile(PathEdit(u"licenseFile"_s, data.licenseFile, this)),
      m_licenseModes(new QGroupBox(u"授权方式"_s, this)) {
    m_installDir->setObjectName(u"installDir"_s);
    m_allowDirChange->setObjectName(u"allowDirChange"_s);
    m_allowDirChange->setChecked(data.allowDirChange);
    m_useLicense->setObjectName(u"useLicense"_s);
    m_useLicense->setChecked(true);
    m_licenseRow = BrowseRow(
        m_licenseFile,
        [this] {
            BrowseOpenFile(Ask(),
                           {u"请选择授权文件"_s,
                            {},
                            {},
                            u"授权文件 (*.rtf *.txt);;RTF文本文件 (*.rtf);;纯文本文件(*.txt);;所有文件 (*)"_s,
                            u"rtf"_s},
                           m_licenseFile);
        },
        this);
    auto* modes = new QHBoxLayout(m_licenseModes);
    // In the order of LicenseMode.
    for (const QString& text : {u"古典按钮"_s, u"勾选框"_s, u"圆形单选框"_s}) {
        auto* button = new QRadioButton(text, m_licenseModes);
        modes->addWidget(button);
        m_modeButtons.append(button);
    }
    modes->addStretch(1);
    m_modeButtons.value(int(data.licenseMode), m_modeButtons.first())->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(u"应用程序安装目录："_s, m_installDir);
    form->addRow(QString(), m_allowDirChange);
    form->addItem(new QSpacerItem(0, fontMetrics().height()));
    form->addRow(m_useLicense);
    form->addRow(u"授权文件："_s, m_licenseRow);
    form->addRow(m_licenseModes);
    Body()->addLayout(form);
    Body()->addStretch(1);

    connect(m_useLicense, &QCheckBox::toggled, this, &CAppRoot::UpdateControls);
}

bool CAppRoot::Enter() {
    // The directory follows the product name each time, even after it was edited.
    m_installDir->setEditText(DefaultInstallDir(Data().appName));
    UpdateControls();
    return true;
}

void CAppRoot::UpdateControls() {
    const RootControls controls = RootControlsFor(Data().uiKind, m_useLicense->isChecked());
    m_allowDirChange->setEnabled(controls.pageSwitches);
    m_useLicense->setEnabled(controls.pageSwitches);
    m_licenseRow->setEnabled(controls.licenseControls);
    m_licenseModes->setEnabled(controls.licenseControls);
}

LicenseMode CAppRoot::CheckedLicenseMode() const {
    for (int i = 0; i < m_modeButtons.size(); ++i) {
        if (m_modeButtons[i]->isChecked())
            return static_cast<LicenseMode>(i);
    }
    return LicenseMode::ClassicButton;
}

bool CAppRoot::Store() {
    return Accept(StoreAppRoot(Data(),
                               {m_installDir->currentText(), m_allowDirChange->isChecked(), m_useLicense->isChecked(),
                                m_licenseFile->text(), CheckedLicenseMode()},
                               m_nsisDir));
}

QWidget* CAppRoot::FieldWidget(WizardField field) const {
    return field == WizardField::InstallDir ? static_cast<QWidget*>(m_installDir)
        : field == WizardField::LicenseFile ? m_licenseFile
                                            : nullptr;
}
