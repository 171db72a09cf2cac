// CAppOption: wizard page 2.
#include "wizard/ui/app_option.h"

#include "platform/prompter.h"
#include "wizard/core/page_controls.h"
#include "wizard/ui/wizard_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
QComboBox* List(const QString& name, const QStringList& items, int current, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    list->setCurrentIndex(current);
    return list;
}
}  // namespace

CAppOption::CAppOption(WizardData& data, Prompter& prompter, const QString& nsisDir, QWidget* parent)
    : CWizardPage(data, prompter, u"安装程序选项 (2/8)"_s, parent),
      m_nsisDir(nsisDir),
      m_interface(List(u"uiKind"_s, {u"现代界面"_s, u"古典界面"_s, u"静默安装"_s}, int(data.uiKind), this)),
      m_xpStyle(new QCheckBox(u"使用 XP 外观"_s, this)),
      m_setupFile(PathEdit(u"setupFile"_s, data.setupFile, this)),
      m_icon(PathEdit(u"setupIcon"_s, data.setupIcon, this)),
      m_leftBitmap(PathEdit(u"setupLeftBitmap"_s, data.setupLeftBitmap, this)),
      m_topBitmap(PathEdit(u"setupTopBitmap"_s, data.setupTopBitmap, this)),
      m_language(List(u"language"_s, {u"简体中文"_s, u"繁体中文"_s, u"English"_s}, int(data.language), this)),
      m_compressor(
          List(u"compressor"_s,
               {u"ZLIB"_s, u"ZLIB固实"_s, u"BZIP2"_s, u"BZIP2固实"_s, u"LZMA"_s, u"LZMA固实"_s, u"极限压缩"_s, u"无"_s},
               data.compressor, this)) {
    m_xpStyle->setObjectName(u"xpStyle"_s);
    m_xpStyle->setChecked(data.xpStyle);
    auto* form = new QFormLayout;
    form->addRow(u"安装程序界面："_s, m_interface);
    form->addRow(QString(), m_xpStyle);
    form->addRow(u"安装程序文件："_s,
                 BrowseRow(
                     m_setupFile, [this] { BrowseSetupFile(); }, this));
    form->addRow(u"安装程序图标："_s, GraphicRow(Ask(), m_icon, u"请选择安装程序文件图标"_s, Graphic::Icon, this));
    m_leftBitmapRow = GraphicRow(Ask(), m_leftBitmap, u"请选择安装左侧图片"_s, Graphic::Bitmap, this);
    form->addRow(u"安装左侧图片："_s, m_leftBitmapRow);
    m_topBitmapRow = GraphicRow(Ask(), m_topBitmap, u"请选择安装顶部图片"_s, Graphic::Bitmap, this);
    form->addRow(u"安装顶部图片："_s, m_topBitmapRow);
    form->addRow(u"安装程序语言："_s, m_language);
    form->addRow(u"压缩方式："_s, m_compressor);
    Body()->addLayout(form);
    Body()->addStretch(1);

    connect(m_interface, &QComboBox::currentIndexChanged, this, &CAppOption::OnInterfaceChosen);
    OnInterfaceChosen(m_interface->currentIndex());
}

void CAppOption::OnInterfaceChosen(int index) {
    const OptionControls controls = OptionControlsFor(static_cast<UiKind>(index));
    m_xpStyle->setEnabled(controls.xpStyle);
    m_leftBitmapRow->setEnabled(controls.bitmaps);
    m_topBitmapRow->setEnabled(controls.bitmaps);
}

void CAppOption::BrowseSetupFile() {
    const QString chosen = Ask().SaveFileName(
        {u"请输入安装包文件名"_s, {}, m_setupFile->text().trimmed(), u"安装包文件(*.exe);;所有文件(*)"_s, u"exe"_s});
    if (!chosen.isEmpty())
        m_setupFile->setText(chosen);
}

bool CAppOption::Store() {
    AppOptionInput input;
    input.uiKind = static_cast<UiKind>(m_interface->currentIndex());
    input.xpStyle = m_xpStyle->isChecked();
    input.setupFile = m_setupFile->text();
    input.setupIcon = m_icon->text();
    input.setupLeftBitmap = m_leftBitmap->text();
    input.setupTopBitmap = m_topBitmap->text();
    input.language = static_cast<SetupLanguage>(m_language->currentIndex());
    input.compressor = m_compressor->currentIndex();
    return Accept(StoreAppOption(Data(), input, m_nsisDir));
}

QWidget* CAppOption::FieldWidget(WizardField field) const {
    switch (field) {
    case WizardField::SetupFile: return m_setupFile;
    case WizardField::SetupIcon: return m_icon;
    case WizardField::SetupLeftBitmap: return m_leftBitmap;
    case WizardField::SetupTopBitmap: return m_topBitmap;
    default: return nullptr;
    }
}
