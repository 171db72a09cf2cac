// CTestRunPane: the test run's progress and report under the compile log.
#include "compiler/ui/test_run_pane.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
enum Column { Mark, Path, Data, Columns };

QTreeWidgetItem* Group(QTreeWidget* tree, const QString& text, bool bad) {
    auto* group = new QTreeWidgetItem(tree);
    group->setFirstColumnSpanned(true);
    group->setText(Mark, text);
    QFont font = group->font(Mark);
    font.setBold(true);
    group->setFont(Mark, font);
    if (bad)
        group->setForeground(Mark, QColor(0xB0, 0x00, 0x00));
    group->setExpanded(true);
    return group;
}

QTreeWidgetItem* Row(QTreeWidgetItem* group, ChangeKind kind, const QString& path, const QString& data, bool leftover) {
    auto* row = new QTreeWidgetItem(group);
    row->setText(Mark, ChangeMark(kind));
    row->setText(Path, path);
    row->setToolTip(Path, path);
    row->setText(Data, data);
    if (leftover) {
        for (int column = 0; column < Columns; ++column) {
            row->setBackground(column, QColor(0xFF, 0xE0, 0xE0));
            row->setForeground(column, QColor(0xB0, 0x00, 0x00));
        }
    }
    return row;
}
}  // namespace

CTestRunPane::CTestRunPane(QWidget* parent)
    : QWidget(parent),
      m_status(new QLabel(u"测试安装与卸载"_s, this)),
      m_stop(new QPushButton(u"停止"_s, this)),
      m_keep(new QCheckBox(u"保留 wine 环境以便查看"_s, this)),
      m_tree(new QTreeWidget(this)) {
    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(m_status, 1);
    top->addWidget(m_keep);
    top->addWidget(m_stop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(m_tree);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_stop->setEnabled(false);
    m_tree->setColumnCount(Columns);
    m_tree->setHeaderLabels({u"变化"_s, u"路径"_s, u"内容"_s});
    m_tree->setUniformRowHeights(true);
    m_tree->setAllColumnsShowFocus(true);
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->header()->setSectionResizeMode(Mark, QHeaderView::ResizeToContents);
    m_tree->header()->setSectionResizeMode(Path, QHeaderView::Interactive);
    m_tree->header()->resizeSection(Path, 420);
    m_tree->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(u"复制路径"_s, m_tree);
    m_tree->addAction(copy);
    connect(copy, &QAction::triggered, this, &CTestRunPane::CopySelectedPaths);
    m_tree->installEventFilter(this);
    connect(m_stop, &QPushButton::clicked, this, &CTestRunPane::StopRequested);
}

void CTestRunPane::ShowRunning(const QString& progress) {
    m_status->setText(progress);
    m_stop->setEnabled(true);
    m_keep->setEnabled(false);
}

void CTestRunPane::ShowReport(const RoundTripReport& report) {
    m_stop->setEnabled(false);
    m_keep->setEnabled(true);
    m_tree->clear();
    m_status->setText(report.Succeeded() ? u"测试通过：安装成功，卸载后没有遗留"_s
                                         : u"测试未通过：%1"_s.arg(report.installerPath));
    if (report.CouldNotRun()) {
        Group(m_tree, InstallSummary(report), true);
        return;
    }
    const bool installFailed = report.install.outcome != StepOutcome::Finished || report.install.exitCode != 0;
    AddChanges(Group(m_tree, InstallSummary(report), installFailed), report.installed, false);
    const bool uninstallFailed = report.uninstall.outcome != StepOutcome::Finished || !report.leftovers.IsEmpty();
    AddChanges(Group(m_tree, UninstallSummary(report), uninstallFailed), report.leftovers, true);
    if (report.headless)
        Group(m_tree, u"注意: 没有 X 显示（未找到 Xvfb），安装程序打开的窗口会立即失败"_s, false);
    if (!report.keptPrefix.isEmpty()) {
        QTreeWidgetItem* kept = Group(m_tree, u"wine 环境已保留"_s, false);
        Row(kept, ChangeKind::Added, report.keptPrefix, {}, false)->setText(Mark, QString());
    }
}

void CTestRunPane::AddChanges(QTreeWidgetItem* group, const PrefixChanges& changes, bool leftovers) {
    for (const FileChange& change : changes.files)
        Row(group, change.kind, WindowsPath(change.path) + (change.dir ? u"\\"_s : QString()),
            change.dir ? u"文件夹"_s : QString(), leftovers);
    for (const RegistryChange& change : changes.registry)
        Row(group, change.kind, change.Path(), RegistryDataText(change.data), leftovers);
    if (!leftovers) {
        for (const QString& shortcut : changes.Shortcuts())
            Row(group, ChangeKind::Added, WindowsPath(shortcut), u"快捷方式"_s, false);
    }
}

bool CTestRunPane::KeepPrefix() const { return m_keep->isChecked(); }

QString CTestRunPane::SelectedPaths() const {
    QStringList paths;
    for (const QTreeWidgetItem* item : m_tree->selectedItems()) {
        if (!item->text(Path).isEmpty())
            paths << item->text(Path);
    }
    return paths.join(u'\n');
}

void CTestRunPane::CopySelectedPaths() {
    if (const QString paths = SelectedPaths(); !paths.isEmpty())
        QApplication::clipboard()->setText(paths);
}

bool CTestRunPane::eventFilter(QObject* watched, QEvent* event) {
    // The frame's own copy key copies from the editor: here it takes the paths.
    const bool copyKey = (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
                         && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy);
    if (watched != m_tree || !copyKey)
        return QWidget::eventFilter(watched, event);
    event->accept();
    if (event->type() == QEvent::KeyPress)
        CopySelectedPaths();
    return true;
}

QString CTestRunPane::StatusText() const { return m_status->text(); }
