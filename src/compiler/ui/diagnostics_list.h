// CDiagnosticsList: the "问题" list under the compile log, errors first, then warnings, each with its place.
#pragma once

#include "compiler/core/diagnostic.h"

#include <QList>
#include <QWidget>

class QLabel;
class QTreeWidget;

class CDiagnosticsList : public QWidget {
    Q_OBJECT
public:
    explicit CDiagnosticsList(QWidget* parent);

    // Shows them errors first; the selection is cleared.
    void SetDiagnostics(const QList<Diagnostic>& diagnostics);
    void Clear() { SetDiagnostics({}); }
    // As shown, errors first.
    const QList<Diagnostic>& Diagnostics() const { return m_diagnostics; }
    int Count() const { return int(m_diagnostics.size()); }
    int CurrentIndex() const;
    void SetCurrentIndex(int index);
    QTreeWidget* Tree() const { return m_tree; }

Q_SIGNALS:
    // The user double-clicked the row or pressed Enter on it.
    void Activated(int index);

private:
    QLabel* m_title;
    QTreeWidget* m_tree;
    QList<Diagnostic> m_diagnostics;
};
