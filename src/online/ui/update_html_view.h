// CUpdateHtmlView: the view of the new-version page: shows the page's HTML and nothing it links to or loads.
#pragma once

#include <QTextBrowser>

class CUpdateHtmlView : public QTextBrowser {
    Q_OBJECT
public:
    explicit CUpdateHtmlView(QWidget* parent);

    // Images, style sheets and other pages are never fetched, from the network or from files.
    QVariant loadResource(int type, const QUrl& name) override;
};
