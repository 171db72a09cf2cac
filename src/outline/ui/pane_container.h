// CPaneContainer: the titled side pane ("视图") that holds the outline tree or the thumbnail.
#pragma once

#include <QWidget>

class QStackedWidget;

class CPaneContainer : public QWidget {
    Q_OBJECT
public:
    CPaneContainer(const QString& title, QWidget* parent);

    // Adds a view the pane can show; ShowContent picks the one shown.
    void AddContent(QWidget* content);
    void ShowContent(QWidget* content);
    QWidget* CurrentContent() const;

Q_SIGNALS:
    void CloseClicked();

private:
    QStackedWidget* m_stack;
};
