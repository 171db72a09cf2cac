// CStatNumberPanel: the statistics number and installer version form of wizard page 8, which the statistics insert dialog embeds too.
#pragma once

#include "wizard/core/page_store.h"

#include <QWidget>

class QLineEdit;
class QVBoxLayout;

// The signed-in user's statistics list and the sign-in button go above the form, into
// ServicePlace(); without them the panel is a plain form.
class CStatNumberPanel : public QWidget {
    Q_OBJECT
public:
    explicit CStatNumberPanel(QWidget* parent);

    QString Number() const;
    void SetNumber(const QString& number);
    QString Version() const;
    void SetVersion(const QString& version);

    // Empty when both are valid or empty; otherwise the message and the field it is about.
    StoreResult Validate() const;
    // Puts the caret into the field with its text selected; the number edit for any other field.
    void Focus(WizardField field);

    // Where the statistics service's controls go.
    QVBoxLayout* ServicePlace() const { return m_servicePlace; }

private:
    QVBoxLayout* m_servicePlace;
    QLineEdit* m_number;
    QLineEdit* m_version;
};
