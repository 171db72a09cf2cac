// CStatPanel: the statistics service's part of wizard page 8 and the insert dialog: the numbers list and the sign-in.
#pragma once

#include "online/core/stat_protocol.h"
#include "online/ui/stat_service.h"
#include "wizard/ui/stat_list.h"

#include <QList>
#include <QWidget>

class CStatNumberPanel;
class Prompter;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class CStatPanel : public QWidget, public IStatList {
    Q_OBJECT
public:
    CStatPanel(const StatService& service, Prompter& prompter, QWidget* parent);

    // A panel placed above the form's fields; a picked row's number goes into the form.
    static CStatPanel* Attach(CStatNumberPanel& form, const StatService& service, Prompter& prompter);
    // Attach as page 8 of the wizard calls it.
    static StatListMaker Maker(const StatService& service, Prompter& prompter);

    QTreeWidget* List() const { return m_list; }
    const QList<StatItem>& Items() const { return m_items; }
    QList<StatItem> ListedItems() const override { return m_items; }
    // The item name of the first row whose number is exactly this; empty when none.
    QString ItemName(const QString& number) const;

Q_SIGNALS:
    // A row was clicked.
    void NumberPicked(const QString& number);
    // A row was double-clicked.
    void NumberActivated(const QString& number);

private:
    void ShowSignedIn(bool signedIn);
    void RefreshList();
    void FillList(const QList<StatItem>& items);
    void OnSignIn();

    StatService m_service;
    Prompter& m_prompter;
    QTreeWidget* m_list;
    QPushButton* m_signIn;
    QLabel* m_signedOutBefore;
    QLabel* m_signedOutAfter;
    QLabel* m_signedInHint;
    QList<StatItem> m_items;
};
