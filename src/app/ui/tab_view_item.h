// Tab items: what each tab of the frame holds, a document's editor view or the start page.
#pragma once

#include "editor/ui/scrivo_view.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class CTabViewItem {
public:
    enum class Kind { Document = 0, StartPage = 1 };

    CTabViewItem(Kind kind, QString title) : m_kind(kind), m_title(std::move(title)) {}
    virtual ~CTabViewItem() = default;
    CTabViewItem(const CTabViewItem&) = delete;
    CTabViewItem& operator=(const CTabViewItem&) = delete;

    Kind GetKind() const { return m_kind; }
    // Titles end with one blank.
    QString GetTitle() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }
    virtual QWidget* GetWindow() const = 0;
    virtual void SetFocus() {}

private:
    Kind m_kind;
    QString m_title;
};

class CEditerTabViewItem : public CTabViewItem {
public:
    CEditerTabViewItem(QString title, CScrivoView* view)
        : CTabViewItem(Kind::Document, std::move(title)), m_view(view) {}
    ~CEditerTabViewItem() override {
        if (m_view)
            m_view->RetireLater();
    }

    CScrivoView* View() const { return m_view; }
    bool IsModified() const { return m_view && m_view->IsModified(); }
    QWidget* GetWindow() const override { return m_view; }
    void SetFocus() override {
        if (m_view)
            m_view->Activate();
    }

    // The modified flag the tab and caption last showed; -2 forces the first update.
    int shownModified = -2;

private:
    QPointer<CScrivoView> m_view;
};

class CStartPageTabViewItem : public CTabViewItem {
public:
    explicit CStartPageTabViewItem(QWidget* page)
        : CTabViewItem(Kind::StartPage, QStringLiteral("起始页 ")), m_page(page) {}
    QWidget* GetWindow() const override { return m_page; }
    void SetFocus() override {
        if (m_page)
            m_page->setFocus();
    }

private:
    QPointer<QWidget> m_page;
};
