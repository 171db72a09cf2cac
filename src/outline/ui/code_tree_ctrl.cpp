// CCodeTreeCtrl: the outline tree of the active script, kept up to date by its worker.
#include "outline/ui/code_tree_ctrl.h"

#include "outline/core/outline_thread.h"
#include "outline/core/outline_tree_update.h"
#include "outline/ui/outline_images.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int kItemHeight = 20;
constexpr int kRowRole = Qt::UserRole;
constexpr int kLineRole = Qt::UserRole + 1;
constexpr int kImageRole = Qt::UserRole + 2;

class FixedHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(kItemHeight);
        return size;
    }
};

}  // namespace

// Lets ApplyOutline work on the widget's items.
class CodeTreeAdapter {
public:
    using Node = QTreeWidgetItem*;

    explicit CodeTreeAdapter(CCodeTreeCtrl& tree) : m_tree(tree) {}

    Node Root() { return m_tree.invisibleRootItem(); }
    int ChildCount(Node node) { return node->childCount(); }
    Node Child(Node node, int index) { return node->child(index); }

    Node Append(Node parent, const OutlineItem& item) {
        auto* node = new QTreeWidgetItem(parent);
        Set(node, item);
        return node;
    }

    // Only what differs is touched, so an unchanged item raises no change.
    void Set(Node node, const OutlineItem& item) {
        if (node->text(0) != item.label)
            node->setText(0, item.label);
        if (node->data(0, kImageRole) != QVariant(item.image)) {
            node->setData(0, kImageRole, item.image);
            node->setIcon(0, item.image >= 0 ? m_tree.m_images[std::size_t(item.image)] : QIcon());
        }
        if (node->data(0, kRowRole) != QVariant(int(item.row)))
            node->setData(0, kRowRole, int(item.row));
        if (node->data(0, kLineRole) != QVariant(item.line))
            node->setData(0, kLineRole, item.line);
    }

    void RemoveChildrenFrom(Node parent, int index) {
        if (index >= parent->childCount())
            return;
        if (index == 0) {
            // One removal for the lot is far cheaper than one per item.
            const QList<QTreeWidgetItem*> taken = parent->takeChildren();
            qDeleteAll(taken);
            return;
        }
        while (parent->childCount() > index) {
            const std::unique_ptr<QTreeWidgetItem> gone(parent->takeChild(parent->childCount() - 1));
        }
    }

private:
    CCodeTreeCtrl& m_tree;
};

CCodeTreeCtrl::CCodeTreeCtrl(TextSource activeText, QWidget* parent)
    : QTreeWidget(parent),
      m_activeText(std::move(activeText)),
      m_images(OutlineImages()),
      m_worker(std::make_unique<COutlineThread>()) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setItemDelegate(new FixedHeightDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_worker.get(), &COutlineThread::Scanned, this, &CCodeTreeCtrl::ApplyItems, Qt::QueuedConnection);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { Q_EMIT LineActivated(ItemLine(item)); });
}

// The worker is stopped before the tree goes; a result still queued for the
// tree is dropped with it.
CCodeTreeCtrl::~CCodeTreeCtrl() = default;

void CCodeTreeCtrl::Wake() { m_worker->Wake(m_activeText ? m_activeText() : std::nullopt); }

void CCodeTreeCtrl::ApplyItems(const OutlineItems& items) {
    setUpdatesEnabled(false);
    CodeTreeAdapter adapter(*this);
    ApplyOutline(adapter, items);
    setUpdatesEnabled(true);
}

int CCodeTreeCtrl::ItemLine(const QTreeWidgetItem* item) { return item->data(0, kLineRole).toInt(); }

OutlineRow CCodeTreeCtrl::ItemRow(const QTreeWidgetItem* item) { return OutlineRow(item->data(0, kRowRole).toInt()); }

void CCodeTreeCtrl::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        if (QTreeWidgetItem* item = currentItem())
            Q_EMIT LineActivated(ItemLine(item));
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

// Dotted lines joining items to their parents and siblings, with a boxed
// plus or minus on items that have children.
void CCodeTreeCtrl::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
    const int indent = indentation();
    const int midY = rect.top() + rect.height() / 2;
    int columnLeft = rect.right() + 1 - indent;
    const int midX = columnLeft + indent / 2;

    painter->save();
    QPen pen(palette().color(QPalette::Mid));
    pen.setStyle(Qt::DotLine);
    painter->setPen(pen);
    const bool hasNext = index.sibling(index.row() + 1, 0).isValid();
    const bool firstOfAll = index.row() == 0 && !index.parent().isValid();
    painter->drawLine(midX, firstOfAll ? midY : rect.top(), midX, hasNext ? rect.bottom() : midY);
    painter->drawLine(midX, midY, columnLeft + indent - 2, midY);
    for (QModelIndex ancestor = index.parent(); ancestor.isValid() && columnLeft - indent >= rect.left();
         ancestor = ancestor.parent()) {
        columnLeft -= indent;
        if (ancestor.sibling(ancestor.row() + 1, 0).isValid())
            painter->drawLine(columnLeft + indent / 2, rect.top(), columnLeft + indent / 2, rect.bottom());
    }

    if (model()->hasChildren(index)) {
        const QRect box(midX - 4, midY - 4, 8, 8);
        painter->setPen(palette().color(QPalette::Dark));
        painter->setBrush(palette().color(QPalette::Base));
        painter->drawRect(box);
        painter->setPen(palette().color(QPalette::Text));
        painter->drawLine(box.left() + 2, midY, box.right() - 2, midY);
        if (!isExpanded(index))
            painter->drawLine(midX, box.top() + 2, midX, box.bottom() - 2);
    }
    painter->restore();
}
