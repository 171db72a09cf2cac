// CMainDlg: the new-script wizard host.
#include "wizard/ui/main_dlg.h"

#include "platform/prompter.h"
#include "wizard/core/script_generator.h"
#include "wizard/ui/app_count.h"
#include "wizard/ui/app_end.h"
#include "wizard/ui/app_file.h"
#include "wizard/ui/app_info.h"
#include "wizard/ui/app_link.h"
#include "wizard/ui/app_option.h"
#include "wizard/ui/app_remove.h"
#include "wizard/ui/app_root.h"
#include "wizard/ui/app_run.h"
#include "wizard/ui/welcome_dlg.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
QPushButton* Button(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}
}  // namespace

CMainDlg::CMainDlg(WizardData data, const InstalledNsis& nsis, Prompter& prompter, QWidget* parent,
                   const StatListMaker& makeList)
    : QDialog(parent),
      m_prompter(prompter),
      m_data(std::move(data)),
      m_stack(new QStackedWidget(this)),
      m_back(Button(u"< 上一步(&B)"_s, u"back"_s, this)),
      m_next(Button(u"下一步(&N) >"_s, u"next"_s, this)),
      m_finish(Button(u"完成(&F)"_s, u"finish"_s, this)) {
    setWindowTitle(u"Korvane安装向导"_s);
    m_pages = {new CWelcomeDlg(m_data, prompter, m_stack),
               new CAppInfo(m_data, prompter, m_stack),
               new CAppOption(m_data, prompter, nsis.nsisDir, m_stack),
               new CAppRoot(m_data, prompter, nsis.nsisDir, m_stack),
               new CAppFile(m_data, prompter, m_stack),
               new CAppLink(m_data, prompter, m_stack),
               new CAppRun(m_data, prompter, m_stack),
               new CAppRemove(m_data, prompter, nsis.nsisDir, SafeRemovalNote(nsis), m_stack),
               new CAppCount(m_data, prompter, makeList, m_stack),
               new CAppEnd(m_data, prompter, m_stack)};
    for (CWizardPage* page : m_pages)
        m_stack->addWidget(page);

    auto* cancel = Button(u"取消"_s, u"cancel"_s, this);
    connect(m_back, &QPushButton::clicked, this, &CMainDlg::Back);
    connect(m_next, &QPushButton::clicked, this, &CMainDlg::Next);
    connect(m_finish, &QPushButton::clicked, this, &CMainDlg::Finish);
    connect(cancel, &QPushButton::clicked, this, &CMainDlg::reject);
    m_next->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {m_back, m_next, m_finish, cancel})
        buttons->addWidget(button);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_stack, 1);
    layout->addWidget(line);
    layout->addLayout(buttons);
    ShowPage(0);
    // Room for paths and file lists at any font size.
    const QFontMetrics metrics = fontMetrics();
    resize(sizeHint().expandedTo(QSize(metrics.averageCharWidth() * 120, metrics.lineSpacing() * 34)));
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::ShowPage(int index) {
    m_index = index;
    m_stack->setCurrentIndex(index);
    const bool last = index == PageCount() - 1;
    m_back->setVisible(index > 0);
    m_back->setEnabled(index > 0);
    m_next->setVisible(!last);
    m_next->setEnabled(!last);
    m_finish->setVisible(last);
    m_finish->setEnabled(last);
    (last ? m_finish : m_next)->setDefault(true);
}

void CMainDlg::Next() {
    if (m_index >= PageCount() - 1)
        return;
    if (!m_pages[m_index]->Store() || !m_pages[m_index + 1]->Enter())
        return;
    ShowPage(m_index + 1);
}

void CMainDlg::Back() {
    if (m_index > 0)
        ShowPage(m_index - 1);
}

void CMainDlg::Finish() {
    if (m_index != PageCount() - 1 || !m_pages.back()->Store())
        return;
    m_data.script = GenerateScript(m_data);
    accept();
}

WizardResult CMainDlg::Result() const { return {m_data.script, m_data.saveScript, m_data.compileScript}; }

void CMainDlg::reject() {
    const PromptAnswer answer = m_prompter.Ask(
        u"Korvane安装 向导并未完成，如果您现在退出，将不会生成新的脚本文件。\r\n您确认要退出 Korvane安装 向导吗？"_s,
        u"退出向导"_s, PromptIcon::Question, PromptButtons::YesNo);
    if (answer == PromptAnswer::Yes)
        QDialog::reject();
}
