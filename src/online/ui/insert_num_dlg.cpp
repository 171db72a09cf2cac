// CInsertNum: the "插入统计代码" dialog that picks the statistics number for the active script.
#include "online/ui/insert_num_dlg.h"

#include "online/ui/stat_panel.h"
#include "platform/app_name.h"
#include "platform/prompter.h"
#include "nsis/core/stat_line.h"
#include "wizard/core/wizard_checks.h"
#include "wizard/ui/stat_number_panel.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QLabel* UsageNotes(const OnlineServers& servers, QWidget* parent) {
    const QString link = u"<a href=\"%1\">Korvane统计(%2)</a>"_s.arg(
        MakerPageUrl(servers, u"login"_s).toString(QUrl::FullyEncoded).toHtmlEscaped(),
        servers.info.host().toHtmlEscaped());
    auto* notes = new QLabel(u"使用提示：<br>1、请登录 "_s + link + u" 网站创建安装统计项，生成统计编号；<br>"_s
                                 + u"2、统计代码将添加到NSIS脚本文件中，您也可以在文件中直接修改统计代码；"_s,
                             parent);
    notes->setObjectName(u"usageNotes"_s);
    notes->setTextFormat(Qt::RichText);
    notes->setOpenExternalLinks(true);
    notes->setWordWrap(true);
    return notes;
}

}  // namespace

CInsertNum::CInsertNum(const StatService& service, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      m_prompter(prompter),
      m_form(new CStatNumberPanel(this)),
      m_panel(CStatPanel::Attach(*m_form, service, prompter)) {
    setWindowTitle(u"插入统计代码"_s);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(u"确    定"_s, QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(u"取    消"_s, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInsertNum::OnOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // The form has put the row's number in already; a double click takes it without the check.
    connect(m_panel, &CStatPanel::NumberActivated, this, &CInsertNum::Finish);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_form, 1);
    layout->addWidget(UsageNotes(service.servers, this));
    layout->addWidget(buttons);
    resize(620, 420);
    m_form->Focus(WizardField::StatNumber);
}

void CInsertNum::OnOk() {
    if (!CheckStatNumber(m_form->Number().trimmed()).valid) {
        m_prompter.Ask(u"请输入有效的统计编号！"_s, kAppName, PromptIcon::Warning, PromptButtons::Ok);
        m_form->Focus(WizardField::StatNumber);
        return;
    }
    Finish();
}

void CInsertNum::Finish() {
    m_number = m_form->Number().trimmed();
    m_comment = StatComment(m_panel->ItemName(m_number));
    accept();
}
