// CNewWizardDlg: the start page, its four buttons, the recent files and the maker's content.
#include "app/ui/start_page_view.h"

#include "app/core/recent_files.h"
#include "app/ui/maker_content.h"
#include "online/core/http_request.h"

#include <QDesktopServices>
#include <QFile>
#include <QScrollBar>

using namespace Qt::StringLiterals;

// The page lives in a static library, whose resources must be pulled in by name.
static void InitResources() { Q_INIT_RESOURCE(scrivo); }

namespace {

// Replaces what stands between <!--NAME--> and <!--/NAME-->; false when the page has no such place.
bool FillSlot(QString& html, const QString& name, const QString& content) {
    const QString open = u"<!--%1-->"_s.arg(name);
    const QString close = u"<!--/%1-->"_s.arg(name);
    const qsizetype start = html.indexOf(open);
    const qsizetype end = html.indexOf(close, start < 0 ? 0 : start);
    if (start < 0 || end < 0)
        return false;
    html.replace(start + open.size(), end - start - open.size(), content);
    return true;
}

// Gives the button whose link is href its hover picture.
void LightButton(QString& html, const QString& href) {
    const qsizetype link = html.indexOf(u"href=\"%1\""_s.arg(href));
    const QString normal = u"btn_normal.png"_s;
    const qsizetype picture = link < 0 ? -1 : html.lastIndexOf(normal, link);
    if (picture >= 0)
        html.replace(picture, normal.size(), u"btn_hover.png"_s);
}

}  // namespace

CNewWizardDlg::CNewWizardDlg(const QUrl& contentUrl, QWidget* parent) : QTextBrowser(parent) {
    InitResources();
    setOpenLinks(false);
    setFrameShape(QFrame::NoFrame);
    QFile page(u":/startpage/start.html"_s);
    if (page.open(QIODevice::ReadOnly))
        m_template = QString::fromUtf8(page.readAll());
    document()->setBaseUrl(QUrl(u"qrc:/startpage/"_s));
    connect(this, &QTextBrowser::anchorClicked, this, &CNewWizardDlg::OnLinkClicked);
    connect(this, qOverload<const QUrl&>(&QTextBrowser::highlighted), this, [this](const QUrl& link) {
        // The browser reports a link as the page writes it, relative to the page.
        const QUrl url = link.isEmpty() ? link : document()->baseUrl().resolved(link);
        Q_EMIT StatusText(url.isEmpty() ? QString() : StartPageLinkStatus(url.toString(), m_recent));
        const QString id = url.toString().section(u'/', -1);
        SetHotButton(id.startsWith(u"CMD_ID_"_s) && !id.startsWith(u"CMD_ID_RF_"_s) ? id : QString());
    });
    Render();
    if (contentUrl.isValid() && !contentUrl.isEmpty())
        FetchContent(contentUrl);
}

CNewWizardDlg::~CNewWizardDlg() = default;

void CNewWizardDlg::RefreshRecent(const QStringList& recent) {
    m_recent = recent;
    Render();
}

void CNewWizardDlg::SetHotButton(const QString& id) {
    if (id == m_hotButton)
        return;
    m_hotButton = id;
    Render();
}

void CNewWizardDlg::Render() {
    QString html = m_template;
    if (!m_hotButton.isEmpty())
        LightButton(html, m_hotButton);
    FillSlot(html, u"RF"_s, RecentListHtml(m_recent));
    FillSlot(html, u"CONTENT"_s, m_content);
    const int scroll = verticalScrollBar()->value();
    setHtml(html);
    verticalScrollBar()->setValue(scroll);
}

void CNewWizardDlg::OnLinkClicked(const QUrl& url) {
    const QUrl resolved = document()->baseUrl().resolved(url);
    if (resolved.scheme() == u"qrc"_s) {
        if (const int command = StartPageLinkCommand(url.toString()))
            Q_EMIT CommandPosted(command);
        return;
    }
    // Links of the maker's content open in the user's browser.
    if (resolved.scheme() == u"http"_s || resolved.scheme() == u"https"_s)
        QDesktopServices::openUrl(resolved);
}

void CNewWizardDlg::FetchContent(const QUrl& url) {
    // The online part's client: bounded in time and size, and no redirect leads elsewhere.
    auto* http = new HttpClient(this);
    http->Send(url, std::nullopt, kContentTimeoutMs, this, [this](const HttpResult& result) {
        if (!result.ok)
            return;  // unreachable: the page simply goes without it
        m_content = SafeMakerContent(QString::fromUtf8(result.body));
        Render();
        Q_EMIT ContentLoaded();
    });
}
