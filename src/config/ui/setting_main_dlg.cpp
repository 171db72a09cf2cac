// CSettingMainDlg: the modeless "设置" window that hosts the three settings pages and writes their changes on close.
#include "config/ui/setting_main_dlg.h"

#include "config/core/configurator.h"
#include "config/ui/setting_base_dlg.h"
#include "config/ui/setting_compile_dlg.h"
#include "config/ui/setting_style_dlg.h"
#include "platform/prompter.h"
#include "platform/ui/app_icon.h"

#include <QDir>

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CSettingMainDlg::CSettingMainDlg(Configurator& config, Prompter& prompter, QWidget* owner)
    : QDialog(owner), m_config(config), m_prompter(prompter), m_tabs(new QTabWidget(this)) {
    setWindowTitle(u"设置"_s);
    setWindowIcon(AppIcon());
    setModal(false);
    // The user goes on typing in the editor while the window comes up.
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The tab labels are shown as they are: "&" is a character here, not a key.
    const QString titles[] = {u"常用  "_s, u"字体&&颜色"_s, u"编译器"_s};
    for (int page = 0; page < int(m_holders.size()); ++page) {
        m_holders[size_t(page)] = new QWidget(m_tabs);
        auto* holderLayout = new QVBoxLayout(m_holders[size_t(page)]);
        holderLayout->setContentsMargins(0, 0, 0, 0);
        m_tabs->addTab(m_holders[size_t(page)], titles[page]);
    }
    auto* close = new QPushButton(u"关闭"_s, this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(close);
    buttonRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttonRow);

    SelectPage(kBasePage);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CSettingMainDlg::SelectPage);
    if (owner)
        move(owner->geometry().center() - rect().center());
}

CSettingMainDlg::~CSettingMainDlg() {
    // Nothing is undone: what was applied stays, and is kept.
    if (!m_saved)
        SaveChanges();
}

QStringList CSettingMainDlg::SaveChanges() {
    QStringList failed;
    const QDir folder(m_config.ProgramFolder());
    if (((m_base && m_base->IsChanged()) || (m_compile && m_compile->IsChanged())) && !m_config.SaveBaseConfig())
        failed << folder.filePath(u"config.xml"_s);
    if (m_style && m_style->IsChanged() && !m_config.SaveStyles())
        failed << folder.filePath(u"stylers.xml"_s);
    return failed;
}

void CSettingMainDlg::done(int result) {
    const QStringList failed = SaveChanges();
    // The window and its values stay unless the user lets them go unsaved; the old files are whole.
    if (!failed.isEmpty()
        && m_prompter.Ask(u"无法保存设置，以下文件写入失败（原文件未改动）：\n%1\n\n仍要关闭设置窗口吗？"
                          u"选择“否”保留窗口，稍后关闭时再次保存。"_s.arg(failed.join(u'\n')),
                          u"设置"_s, PromptIcon::Warning, PromptButtons::YesNo)
            != PromptAnswer::Yes)
        return;
    m_saved = true;
    QDialog::done(result);
}

void CSettingMainDlg::SelectPage(int page) {
    if (page < 0 || page >= int(m_holders.size()))
        return;
    QWidget* holder = m_holders[size_t(page)];
    if (holder->layout()->count() == 0) {
        QWidget* created = CreatePage(page);
        holder->layout()->addWidget(created);
        // A layout shows a widget added to a shown window only later; the page is wanted now.
        created->show();
    }
    m_tabs->setCurrentIndex(page);
    FitToPage();
}

int CSettingMainDlg::CurrentPage() const { return m_tabs->currentIndex(); }

QWidget* CSettingMainDlg::CreatePage(int page) {
    QWidget* holder = m_holders[size_t(page)];
    switch (page) {
    case kBasePage:
        m_base = new CSettingBaseDlg(m_config, m_prompter, holder);
        connect(m_base, &CSettingBaseDlg::CaptionSettingChanged, this, &CSettingMainDlg::CaptionSettingChanged);
        connect(m_base, &CSettingBaseDlg::PaneSideChanged, this, &CSettingMainDlg::PaneSideChanged);
        connect(m_base, &CSettingBaseDlg::EditingSettingsChanged, this, &CSettingMainDlg::EditingSettingsChanged);
        return m_base;
    case kStylePage:
        m_style = new CSettingStyleDlg(m_config, m_prompter, QFontDatabase::families(), holder);
        connect(m_style, &CSettingStyleDlg::StylesChanged, this, &CSettingMainDlg::StylesChanged);
        return m_style;
    default: m_compile = new CSettingCompileDlg(m_config, m_prompter, holder); return m_compile;
    }
}

void CSettingMainDlg::FitToPage() {
    // Grow to show the page whole; never shrink what the user widened.
    layout()->activate();
    resize(size().expandedTo(sizeHint()));
}
