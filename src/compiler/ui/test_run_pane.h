// CTestRunPane: the "测试安装与卸载" report under the compile log: progress, Stop, what the installer wrote and what its uninstaller left behind.
#pragma once

#include "compiler/core/round_trip_report.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class CTestRunPane : public QWidget {
    Q_OBJECT
public:
    explicit CTestRunPane(QWidget* parent);

    void ShowRunning(const QString& progress);
    void ShowReport(const RoundTripReport& report);
    bool KeepPrefix() const;
    // The paths of the selected rows, one a line: what the copy command puts on the clipboard.
    QString SelectedPaths() const;

    QTreeWidget* Tree() const { return m_tree; }
    QPushButton* StopButton() const { return m_stop; }
    QCheckBox* KeepBox() const { return m_keep; }
    QString StatusText() const;

Q_SIGNALS:
    void StopRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CopySelectedPaths();
    void AddChanges(QTreeWidgetItem* group, const PrefixChanges& changes, bool leftovers);

    QLabel* m_status;
    QPushButton* m_stop;
    QCheckBox* m_keep;
    QTreeWidget* m_tree;
};
