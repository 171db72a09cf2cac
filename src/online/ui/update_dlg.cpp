// CUpdateDlg: the update check: a worker that reads the information file, and the "新版本提示" dialog it leads to.
#include "online/ui/update_dlg.h"

#include "config/core/configurator.h"
#include "text/core/ansi_code_page.h"
#include "online/ui/update_html_view.h"
#include "platform/app_name.h"
#include "platform/prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QStringDecoder>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QString FromAnsi(const QByteArray& bytes) {
    QByteArray utf8;
    if (!AnsiToUtf8(bytes, utf8))
        return QString::fromLatin1(bytes);
    return QString::fromUtf8(utf8);
}

// The page's own charset when it names one Qt knows; Chinese pages without one are ANSI.
QString DecodePage(const QByteArray& html) {
    QStringDecoder decoder = QStringDecoder::decoderForHtml(html);
    if (decoder.isValid())
        return decoder.decode(html);
    return FromAnsi(html);
}

}  // namespace

CUpdateDlg::CUpdateDlg(Configurator& config, Prompter& prompter, const OnlineServers& servers, int timeoutMs, Clock now,
                       QWidget* owner)
    : QDialog(owner),
      m_config(config),
      m_prompter(prompter),
      m_servers(servers),
      m_timeoutMs(timeoutMs),
      m_now(std::move(now)),
      m_pageFetch(new HttpClient(this)),
      m_view(new CUpdateHtmlView(this)),
      m_postpone(new QCheckBox(this)) {
    setWindowTitle(u"新版本提示"_s);
    setWindowIcon(QApplication::windowIcon());
    m_postpone->setObjectName(u"CHK_UPDATE_INFO"_s);
    m_postpone->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    auto* boxRow = new QHBoxLayout;
    boxRow->setContentsMargins(9, 0, 9, 9);
    boxRow->addWidget(m_postpone);
    layout->addLayout(boxRow);
    resize(460, 300);
}

CUpdateDlg::~CUpdateDlg() {
    Shutdown(std::chrono::milliseconds(500));
    Join();
}

void CUpdateDlg::StartUpdateCheck(bool manual) {
    m_manual = manual;
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    // A check counts as running until its decision is made here: the worker may have
    // ended with the decision still on its way, and a second one would decide twice.
    if (m_checking)
        return;
    // The last worker has handed over its decision and is only returning.
    WaitFor(std::chrono::seconds(1));
    m_checking = Start();
}

void CUpdateDlg::Shutdown(std::chrono::milliseconds wait) {
    m_shutDown = true;
    m_infoFetch.Cancel();
    if (isVisible())
        accept();
    WaitFor(wait);
}

void CUpdateDlg::Run() {
    const HttpResult result = m_infoFetch.Fetch(UpdateInfoFileUrl(m_servers), m_timeoutMs);
    // Only the UI thread reads the configuration and shows windows.
    QMetaObject::invokeMethod(
        this,
        [this, result] {
            m_checking = false;
            // A decision that arrives after shutdown shows nothing; only the user's own check tells of a failure.
            if (result.ok && !m_shutDown)
                Decide(result.body);
            else if (m_manual && !m_shutDown)
                m_prompter.Ask(
                    u"检查更新失败：%1"_s.arg(result.failure.isEmpty() ? u"无法连接服务器"_s : result.failure),
                    kAppName, PromptIcon::Warning, PromptButtons::Ok);
            Q_EMIT CheckDone();
        },
        Qt::QueuedConnection);
}

void CUpdateDlg::Decide(const QByteArray& infoFile) {
    const UpdateInfo info = ParseUpdateInfo(FromAnsi(infoFile));
    if (IsNewerVersion(info)) {
        if (m_manual || m_now() > m_config.NextUpdateTime())
            ShowPage(info);
    } else if (m_manual) {
        m_prompter.Ask(u"当前已是最新版本"_s, kAppName, PromptIcon::None, PromptButtons::Ok);
    }
}

void CUpdateDlg::ShowPage(const UpdateInfo& info) {
    m_postponeDays.reset();
    m_postpone->hide();
    m_view->setPlainText(u"正在载入新版本说明…"_s);
    const QUrl page = UpdatePageUrl(info, UpdateInfoFileUrl(m_servers), DefaultUpdatePageUrl(m_servers));
    m_pageFetch->Send(page, std::nullopt, m_timeoutMs, this, [this](const HttpResult& r) { ShowPageText(r); });
    // A dialog with an owner opens centred on it, modal to it.
    open();
}

void CUpdateDlg::ShowPageText(const HttpResult& page) {
    if (!page.ok) {
        m_view->setPlainText(u"无法载入新版本说明页面。"_s);
        return;
    }
    const QString html = DecodePage(page.body);
    const std::optional<PostponeBox> box = FindPostponeBox(html);
    m_view->setHtml(box ? box->pageWithout : html);
    if (!box)
        return;
    m_postponeDays = box->days;
    const QString label = QTextDocumentFragment::fromHtml(box->label).toPlainText().trimmed();
    m_postpone->setText(label.isEmpty() ? u"%1天内不再提示"_s.arg(box->days) : label);
    m_postpone->setChecked(box->checked);
    m_postpone->show();
}

void CUpdateDlg::done(int result) {
    m_pageFetch->AbortAll();
    if (m_postponeDays && m_postpone->isChecked()) {
        if (const auto until = PostponedUntil(m_now(), *m_postponeDays)) {
            m_config.SetNextUpdateTime(*until);
            m_config.SaveUpdateInfo();
        }
    }
    QDialog::done(result);
}

void CUpdateDlg::keyPressEvent(QKeyEvent* event) {
    // Without buttons of its own, Enter closes the dialog as OK.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
