// CInsertNum: the "插入统计代码" dialog that picks the statistics number for the active script.
#pragma once

#include "online/core/online_servers.h"

#include <QDialog>

class CStatPanel;
class IUserInfo;
class Prompter;

class CInsertNum : public QDialog {
    Q_OBJECT
public:
    CInsertNum(IUserInfo& user, Prompter& prompter, const OnlineServers& servers, QWidget* parent);

    CStatPanel* Panel() const { return m_panel; }
    // After OK: the trimmed number and the statistics comment with its item name.
    QString Number() const { return m_number; }
    QString Comment() const { return m_comment; }

private:
    void OnOk();
    void Finish();

    Prompter& m_prompter;
    CStatPanel* m_panel;
    QString m_number;
    QString m_comment;
};
