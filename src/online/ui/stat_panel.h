// CStatPanel: the statistics panel of wizard page 8 and the insert dialog: numbers list, sign-in, number and version.
#pragma once

#include "online/core/online_servers.h"
#include "online/core/stat_protocol.h"

#include <QList>
#include <QWidget>

class IUserInfo;
class Prompter;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class CStatPanel : public QWidget {
    Q_OBJECT
public:
    CStatPanel(IUserInfo& user, Prompter& prompter, const OnlineServers& servers, QWidget* parent);

    QLineEdit* NumberEdit() const { return m_number; }
    QLineEdit* VersionEdit() const { return m_version; }
    QTreeWidget* List() const { return m_list; }
    // The item name of the first row whose number is exactly this; empty when none.
    QString ItemName(const QString& number) const;
    // Enables, focuses and selects the whole number.
    void FocusNumber();

Q_SIGNALS:
    // A row was double-clicked; its number is already in the number edit.
    void RowActivated();

private:
    void ShowSignedIn(bool signedIn);
    void RefreshList();
    void FillList(const QList<StatItem>& items);
    void OnSignIn();
    void OnRowClicked(QTreeWidgetItem* row);

    IUserInfo& m_user;
    Prompter& m_prompter;
    OnlineServers m_servers;
    QTreeWidget* m_list;
    QLineEdit* m_number;
    QLineEdit* m_version;
    QPushButton* m_signIn;
    QLabel* m_signedOutBefore;
    QLabel* m_signedOutAfter;
    QLabel* m_signedInHint;
    QList<StatItem> m_items;
};
