// Takes the place of the desktop's URL opener for a scheme and records what the program asked to open.
#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    explicit UrlRecorder(const QStringList& schemes) : m_schemes(schemes) {
        for (const QString& scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "Open");
    }
    ~UrlRecorder() override {
        for (const QString& scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> urls;
    QStringList Opened() const {
        QStringList opened;
        for (const QUrl& url : urls)
            opened << url.toString();
        return opened;
    }

public Q_SLOTS:
    void Open(const QUrl& url) { urls << url; }

private:
    QStringList m_schemes;
};
