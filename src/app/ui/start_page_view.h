// CNewWizardDlg: the start page, its four buttons, the recent files and the maker's content.
#pragma once

#include <QStringList>
#include <QTextBrowser>
#include <QUrl>

class CNewWizardDlg : public QTextBrowser {
    Q_OBJECT
public:
    // contentUrl: the maker's page shown beside the buttons; empty for none.
    CNewWizardDlg(const QUrl& contentUrl, QWidget* parent);
    ~CNewWizardDlg() override;

    void RefreshRecent(const QStringList& recent);
    const QStringList& Recent() const { return m_recent; }

    static constexpr int kContentTimeoutMs = 5000;

Q_SIGNALS:
    // A button or recent link was clicked.
    void CommandPosted(int id);
    // The text for the status bar while the mouse is over a link ("" when none).
    void StatusText(const QString& text);
    void ContentLoaded();

private:
    void Render();
    void SetHotButton(const QString& id);
    void OnLinkClicked(const QUrl& url);
    void FetchContent(const QUrl& url);

    QString m_template;
    QStringList m_recent;
    QString m_content;
    QString m_hotButton;  // the button under the mouse, drawn on its hover picture
};
