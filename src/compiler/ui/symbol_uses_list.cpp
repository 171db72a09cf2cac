// CSymbolUsesList: the "引用" list under the problems: each definition and use of a symbol with its file, line and text.
#include "compiler/ui/symbol_uses_list.h"

#include "compiler/ui/place_list_layout.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
enum Column { Kind, File, Line, Text };
}  // namespace

CSymbolUsesList::CSymbolUsesList(QWidget* parent)
    : QWidget(parent), m_title(new QLabel(u"引用"_s, this)), m_tree(new QTreeWidget(this)) {
    LayOutPlaceList(this, m_title, m_tree, {u"类型"_s, u"文件"_s, u"行"_s, u"内容"_s}, Text);
    connect(m_tree, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Q_EMIT Activated(m_tree->indexOfTopLevelItem(item)); });
}

void CSymbolUsesList::SetRows(const QString& title, std::vector<SymbolUseRow> rows) {
    m_rows = std::move(rows);
    m_tree->clear();
    QList<QTreeWidgetItem*> items;
    for (const SymbolUseRow& row : m_rows) {
        auto* item = new QTreeWidgetItem;
        item->setText(Kind, row.definition ? u"定义"_s : u"引用"_s);
        item->setText(File, QFileInfo(row.file).fileName());
        item->setToolTip(File, row.file);
        item->setText(Line, QString::number(row.line + 1));
        item->setText(Text, row.text.trimmed());
        if (row.definition) {
            QFont bold = item->font(Kind);
            bold.setBold(true);
            item->setFont(Kind, bold);
        }
        items.append(item);
    }
    m_tree->addTopLevelItems(items);
    if (!items.isEmpty())
        m_tree->setCurrentItem(items.front());
    m_title->setText(u"%1 (%2)"_s.arg(title).arg(m_rows.size()));
}
