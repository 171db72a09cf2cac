// CInsertNum: the "插入统计代码" dialog that picks the statistics number for the active script.
#pragma once

#include "online/ui/stat_service.h"

#include <QDialog>

class CStatNumberPanel;
class CStatPanel;
class Prompter;

class CInsertNum : public QDialog {
    Q_OBJECT
public:
    CInsertNum(const StatService& service, Prompter& prompter, QWidget* parent);

    // Page 8's form with the service's list and sign-in above it.
    CStatNumberPanel* Form() const { return m_form; }
    CStatPanel* Panel() const { return m_panel; }
    // After OK: the trimmed number and the statistics comment with its item name.
    QString Number() const { return m_number; }
    QString Comment() const { return m_comment; }

private:
    void OnOk();
    void Finish();

    Prompter& m_prompter;
    CStatNumberPanel* m_form;
    CStatPanel* m_panel;
    QString m_number;
    QString m_comment;
};
