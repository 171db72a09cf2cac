// CSymbolUsesList: the "引用" list under the problems: each definition and use of a symbol with its file, line and text.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QLabel;
class QTreeWidget;

struct SymbolUseRow {
    QString file;  // absolute
    int line = 0;  // 0-based
    QString text;  // the line's text
    bool definition = false;
};

class CSymbolUsesList : public QWidget {
    Q_OBJECT
public:
    explicit CSymbolUsesList(QWidget* parent);

    // title: what the rows are ("InstallFiles 的引用"); the first row becomes current.
    void SetRows(const QString& title, std::vector<SymbolUseRow> rows);
    const std::vector<SymbolUseRow>& Rows() const { return m_rows; }
    QTreeWidget* Tree() const { return m_tree; }

Q_SIGNALS:
    // The user double-clicked the row or pressed Enter on it.
    void Activated(int index);

private:
    QLabel* m_title;
    QTreeWidget* m_tree;
    std::vector<SymbolUseRow> m_rows;
};
