// CDiagnosticsList: the "问题" list under the compile log, errors first, then warnings, each with its place.
#include "compiler/ui/diagnostics_list.h"

#include "compiler/core/compile_outcome.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
enum Column { Kind, Message, File, Line, Columns };

QTreeWidgetItem* RowFor(const Diagnostic& diagnostic, const QStyle& style) {
    const bool error = diagnostic.severity == DiagnosticSeverity::Error;
    auto* row = new QTreeWidgetItem;
    row->setIcon(Kind, style.standardIcon(error ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning));
    row->setText(Kind, error ? u"错误"_s : u"警告"_s);
    row->setText(Message, diagnostic.message);
    row->setToolTip(Message, diagnostic.details.isEmpty() ? diagnostic.message
                                                          : diagnostic.message + u'\n' + diagnostic.details);
    if (diagnostic.HasPlace()) {
        row->setText(File, QFileInfo(diagnostic.file).fileName());
        row->setToolTip(File, diagnostic.file);
        row->setText(Line, QString::number(diagnostic.line));
    }
    return row;
}
}  // namespace

CDiagnosticsList::CDiagnosticsList(QWidget* parent)
    : QWidget(parent), m_title(new QLabel(u"问题"_s, this)), m_tree(new QTreeWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_title);
    layout->addWidget(m_tree);
    m_tree->setColumnCount(Columns);
    m_tree->setHeaderLabels({u"类型"_s, u"描述"_s, u"文件"_s, u"行"_s});
    m_tree->setRootIsDecorated(false);
    m_tree->setUniformRowHeights(true);
    m_tree->setAllColumnsShowFocus(true);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(Message, QHeaderView::Stretch);
    for (int column : {Kind, File, Line})
        m_tree->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    connect(m_tree, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Q_EMIT Activated(m_tree->indexOfTopLevelItem(item)); });
}

void CDiagnosticsList::SetDiagnostics(const QList<Diagnostic>& diagnostics) {
    m_diagnostics = ErrorsFirst(diagnostics);
    m_tree->clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(m_diagnostics.size());
    for (const Diagnostic& diagnostic : m_diagnostics)
        rows.append(RowFor(diagnostic, *style()));
    m_tree->addTopLevelItems(rows);
    m_title->setText(m_diagnostics.isEmpty() ? u"问题"_s : u"问题 (%1)"_s.arg(m_diagnostics.size()));
}

int CDiagnosticsList::CurrentIndex() const {
    QTreeWidgetItem* item = m_tree->currentItem();
    return item ? m_tree->indexOfTopLevelItem(item) : -1;
}

void CDiagnosticsList::SetCurrentIndex(int index) {
    if (QTreeWidgetItem* item = m_tree->topLevelItem(index))
        m_tree->setCurrentItem(item);
}
