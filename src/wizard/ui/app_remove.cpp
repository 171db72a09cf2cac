// CAppRemove: wizard page 7.
#include "wizard/ui/app_remove.h"

#include "platform/prompter.h"
#include "wizard/core/page_controls.h"
#include "wizard/ui/wizard_widgets.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CAppRemove::CAppRemove(WizardData& data, Prompter& prompter, const QString& nsisDir, const QString& safeRemovalNote,
                       QWidget* parent)
    : CWizardPage(data, prompter, u"卸载程序属性 (7/8)"_s, parent),
      m_nsisDir(nsisDir),
      m_create(new QCheckBox(u"创建卸载程序"_s, this)),
      m_icon(PathEdit(u"uninstIcon"_s, data.uninstIcon, this)),
      m_leftBitmap(PathEdit(u"uninstLeftBitmap"_s, data.uninstLeftBitmap, this)),
      m_topBitmap(PathEdit(u"uninstTopBitmap"_s, data.uninstTopBitmap, this)),
      m_safeNote(new QLabel(safeRemovalNote, this)) {
    m_create->setObjectName(u"createUninstaller"_s);
    m_create->setChecked(data.createUninstaller);
    m_iconRow = GraphicRow(Ask(), m_icon, u"请选择卸载程序文件图标"_s, Graphic::Icon, this);
    m_leftBitmapRow = GraphicRow(Ask(), m_leftBitmap, u"请选择卸载左侧图片"_s, Graphic::Bitmap, this);
    m_topBitmapRow = GraphicRow(Ask(), m_topBitmap, u"请选择卸载顶部图片"_s, Graphic::Bitmap, this);

    auto* modes = new QGroupBox(u"卸载方式"_s, this);
    m_simple = new QRadioButton(u"简易方式"_s, modes);
    m_simple->setObjectName(u"simpleRemoval"_s);
    m_safe = new QRadioButton(u"安全方式"_s, modes);
    m_safe->setObjectName(u"safeRemoval"_s);
    (data.removeMode == RemoveMode::Safe ? m_safe : m_simple)->setChecked(true);
    m_safeNote->setObjectName(u"safeRemovalNote"_s);
    m_safeNote->setWordWrap(true);
    m_safeNote->setVisible(!safeRemovalNote.isEmpty());
    auto* modeLayout = new QVBoxLayout(modes);
    modeLayout->addWidget(m_simple);
    modeLayout->addWidget(m_safe);
    modeLayout->addWidget(m_safeNote);

    auto* form = new QFormLayout;
    form->addRow(u"卸载程序图标："_s, m_iconRow);
    form->addRow(u"卸载左侧图片："_s, m_leftBitmapRow);
    form->addRow(u"卸载顶部图片："_s, m_topBitmapRow);
    Body()->addWidget(m_create);
    Body()->addLayout(form);
    Body()->addWidget(modes);
    Body()->addStretch(1);
    connect(m_create, &QCheckBox::toggled, this, &CAppRemove::UpdateControls);
}

bool CAppRemove::Enter() {
    UpdateControls();
    return true;
}

void CAppRemove::UpdateControls() {
    const RemoveControls controls = RemoveControlsFor(Data().uiKind, m_create->isChecked());
    for (QWidget* control : {m_iconRow, static_cast<QWidget*>(m_simple), static_cast<QWidget*>(m_safe)})
        control->setEnabled(controls.iconAndModes);
    m_leftBitmapRow->setEnabled(controls.bitmaps);
    m_topBitmapRow->setEnabled(controls.bitmaps);
}

bool CAppRemove::Store() {
    return Accept(StoreAppRemove(Data(),
                                 {m_create->isChecked(), m_icon->text(), m_leftBitmap->text(), m_topBitmap->text(),
                                  m_safe->isChecked() ? RemoveMode::Safe : RemoveMode::Simple},
                                 m_nsisDir));
}

QWidget* CAppRemove::FieldWidget(WizardField field) const {
    switch (field) {
    case WizardField::UninstIcon: return m_icon;
    case WizardField::UninstLeftBitmap: return m_leftBitmap;
    case WizardField::UninstTopBitmap: return m_topBitmap;
    default: return nullptr;
    }
}
