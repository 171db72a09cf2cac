// CUpdateHtmlView: the view of the new-version page: shows the page's HTML and nothing it links to or loads.
#include "online/ui/update_html_view.h"

CUpdateHtmlView::CUpdateHtmlView(QWidget* parent) : QTextBrowser(parent) {
    // Clicks inside the page are received and lead nowhere.
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

QVariant CUpdateHtmlView::loadResource(int, const QUrl&) { return {}; }
