// CSettingBaseDlg: the settings page "常用  ": title, last files, pane side, tabs, line numbers, caret line, file association.
#include "config/ui/setting_base_dlg.h"

#include "config/core/configurator.h"
#include "config/core/file_association.h"
#include "config/core/settings_rules.h"
#include "config/ui/colour_swatch.h"
#include "config/ui/user_association.h"
#include "platform/app_name.h"
#include "platform/background.h"
#include "platform/prompter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {
// Tab widths beyond three digits mean nothing on a screen.
constexpr int kTabSizeDigits = 3;
}  // namespace

CSettingBaseDlg::CSettingBaseDlg(Configurator& config, Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_config(config), m_prompter(prompter) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildBasicGroup());
    auto* middle = new QHBoxLayout;
    middle->addWidget(BuildTabGroup());
    middle->addWidget(BuildEditGroup());
    layout->addLayout(middle);
    layout->addWidget(BuildAssociationGroup());
    layout->addStretch(1);
}

QWidget* CSettingBaseDlg::BuildBasicGroup() {
    auto* group = new QGroupBox(u"基本设置"_s, this);
    auto* layout = new QVBoxLayout(group);
    BaseConfig& base = m_config.Base();
    const std::tuple<QString, int&, void (CSettingBaseDlg::*)()> checks[] = {
        {u"只在标题栏显示文件名"_s, base.CaptionShowFName, &CSettingBaseDlg::CaptionSettingChanged},
        {u"记住最后打开的文件"_s, base.OpenLastFiles, nullptr},
        {u"代码结构图(缩略图)显示在左边"_s, base.CodeViewLeft, &CSettingBaseDlg::PaneSideChanged},
    };
    for (const auto& [text, key, followUp] : checks) {
        auto* box = new QCheckBox(text, group);
        layout->addWidget(box);
        StoreOnToggle(box, key, followUp);
    }
    return group;
}

QWidget* CSettingBaseDlg::BuildTabGroup() {
    auto* group = new QGroupBox(u"TAB设置"_s, this);
    auto* layout = new QVBoxLayout(group);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(u"TAB 长度："_s, group);
    m_tabSize = new QLineEdit(QString::number(m_config.Base().TabSize), group);
    m_tabSize->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), m_tabSize));
    m_tabSize->setMaxLength(kTabSizeDigits);
    m_tabSize->setMaximumWidth(fontMetrics().horizontalAdvance(u"0000"_s) + 16);
    label->setBuddy(m_tabSize);
    row->addWidget(label);
    row->addWidget(m_tabSize);
    row->addStretch(1);
    layout->addLayout(row);
    m_tabSpace = new QCheckBox(u"以空格取代(TAB)"_s, group);
    m_tabSpace->setChecked(m_config.Base().TabSpace != 0);
    layout->addWidget(m_tabSpace);
    layout->addStretch(1);
    connect(m_tabSize, &QLineEdit::textChanged, this, &CSettingBaseDlg::ApplyEditingSettings);
    connect(m_tabSpace, &QCheckBox::toggled, this, &CSettingBaseDlg::ApplyEditingSettings);
    return group;
}

QWidget* CSettingBaseDlg::BuildEditGroup() {
    auto* group = new QGroupBox(u"编辑"_s, this);
    auto* layout = new QVBoxLayout(group);
    const BaseConfig& base = m_config.Base();
    m_lineNumbers = new QCheckBox(u"显示行号栏"_s, group);
    m_lineNumbers->setChecked(base.ShowLineNumber != 0);
    m_caretLine = new QCheckBox(u"高亮当前行"_s, group);
    m_caretLine->setChecked(base.ShowHotCurLine != 0);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(u"颜色："_s, group);
    m_caretColour = new CColourSwatch(group);
    m_caretColour->SetColour(base.HotCurLineColor);
    label->setBuddy(m_caretColour);
    row->addSpacing(20);
    row->addWidget(label);
    row->addWidget(m_caretColour);
    row->addStretch(1);
    layout->addWidget(m_lineNumbers);
    layout->addWidget(m_caretLine);
    layout->addLayout(row);
    connect(m_lineNumbers, &QCheckBox::toggled, this, &CSettingBaseDlg::ApplyEditingSettings);
    connect(m_caretLine, &QCheckBox::toggled, this, &CSettingBaseDlg::ApplyEditingSettings);
    connect(m_caretColour, &CColourSwatch::Clicked, this, &CSettingBaseDlg::ChooseCaretLineColour);
    return group;
}

QWidget* CSettingBaseDlg::BuildAssociationGroup() {
    auto* group = new QGroupBox(u"文件关联"_s, this);
    auto* layout = new QHBoxLayout(group);
    m_register = new QPushButton(u"注册为默认的NSIS文件编辑器"_s, group);
    m_register->setAutoDefault(false);
    layout->addWidget(m_register);
    layout->addStretch(1);
    connect(m_register, &QPushButton::clicked, this, &CSettingBaseDlg::RegisterAssociation);
    return group;
}

void CSettingBaseDlg::StoreOnToggle(QCheckBox* box, int& key, void (CSettingBaseDlg::*followUp)()) {
    box->setChecked(key != 0);
    connect(box, &QCheckBox::toggled, this, [this, &key, followUp](bool checked) {
        key = checked ? 1 : 0;
        m_changed = true;
        if (followUp)
            (this->*followUp)();
    });
}

void CSettingBaseDlg::ApplyEditingSettings() {
    BaseConfig& base = m_config.Base();
    // The box keeps what the user typed; the views get a usable width.
    base.TabSize = TabSizeFromText(m_tabSize->text());
    base.TabSpace = m_tabSpace->isChecked() ? 1 : 0;
    base.ShowLineNumber = m_lineNumbers->isChecked() ? 1 : 0;
    base.ShowHotCurLine = m_caretLine->isChecked() ? 1 : 0;
    m_changed = true;
    Q_EMIT EditingSettingsChanged();
}

void CSettingBaseDlg::ChooseCaretLineColour() {
    if (const auto colour = m_prompter.Colour(std::uint32_t(m_config.Base().HotCurLineColor) & 0xFFFFFF)) {
        m_config.Base().HotCurLineColor = int(*colour & 0xFFFFFF);
        m_caretColour->SetColour(m_config.Base().HotCurLineColor);
    }
    ApplyEditingSettings();
}

void CSettingBaseDlg::RegisterAssociation() {
    // The desktop's database tools may take long: the window stays usable, the button waits.
    m_register->setEnabled(false);
    setCursor(Qt::BusyCursor);
    RunInBackground<AssociationResult>(
        this, [request = UserAssociationRequest()] { return RegisterFileAssociation(request); },
        [this](const AssociationResult& result) {
            m_register->setEnabled(true);
            unsetCursor();
            if (!result.Succeeded())
                m_prompter.Ask(AssociationFailureText(result), kAppName, PromptIcon::Warning, PromptButtons::Ok);
            else if (!result.overriddenBy.isEmpty())
                m_prompter.Ask(AssociationOverriddenText(result), kAppName, PromptIcon::Warning, PromptButtons::Ok);
            else
                m_prompter.Ask(u"Scrivo 已成功注册会默认编辑器。"_s, kAppName, PromptIcon::None, PromptButtons::Ok);
        });
}
