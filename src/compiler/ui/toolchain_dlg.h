// CToolchainDlg: the toolchain check page: makensis, stubs, plug-ins, headers, the manual and wine, each with what installing a missing piece brings.
#pragma once

#include "compiler/core/toolchain_facts.h"

#include <QDialog>

class QLabel;
class QTreeWidget;

class CToolchainDlg : public QDialog {
    Q_OBJECT
public:
    // Asks the programs at once, off the user-interface thread; the page fills when they have answered.
    CToolchainDlg(const QString& makensisPath, QWidget* parent);

    QTreeWidget* Tree() const { return m_tree; }
    bool IsReady() const { return m_ready; }

private:
    void Show(const ToolchainFacts& facts);

    QLabel* m_summary;
    QTreeWidget* m_tree;
    bool m_ready = false;
};
