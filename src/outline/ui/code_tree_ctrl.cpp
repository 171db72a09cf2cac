// CCodeTreeCtrl: the outline tree of the active script, kept up to date by its worker.
#include "outline/ui/code_tree_ctrl.h"

#include "outline/core/outline_thread.h"
#include "outline/ui/outline_model.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>

namespace {

constexpr int kItemHeight = 20;
constexpr std::size_t kLargeOutline = 10000;

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

CCodeTreeCtrl::CCodeTreeCtrl(TextSource activeText, QWidget* parent)
    : QTreeView(parent),
      m_activeText(std::move(activeText)),
      m_model(new COutlineModel(this)),
      m_worker(std::make_unique<COutlineThread>()) {
    setModel(m_model);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setItemDelegate(new FixedHeightDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Both are queued to the tree: one still queued when the tree goes is dropped with it.
    connect(
        m_worker.get(), &COutlineThread::PieceWanted, this,
        [this](qint64 from) { m_worker->Deliver(m_activeText ? m_activeText(from) : OutlinePiece{}); },
        Qt::QueuedConnection);
    connect(
        m_worker.get(), &COutlineThread::Scanned, this,
        [this](const std::shared_ptr<const OutlineItems>& items) { ApplyItems(*items); }, Qt::QueuedConnection);
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& item) { Q_EMIT LineActivated(ItemLine(item)); });
}

// The worker is stopped before the tree goes; a pass waiting for a piece gives up.
CCodeTreeCtrl::~CCodeTreeCtrl() = default;

void CCodeTreeCtrl::Wake() { m_worker->Wake(); }

void CCodeTreeCtrl::ApplyItems(const OutlineItems& items) {
    setUpdatesEnabled(false);
    m_model->Apply(items);
    setUpdatesEnabled(true);
    // After a big pass the old entries, the scan's and the text pieces' blocks
    // are free but kept by the allocator; the worker hands them back once the
    // scan's result, owned by this call's event, is gone too.
    if (items.size() >= kLargeOutline)
        QTimer::singleShot(0, this, [this] { m_worker->ReleaseFreedMemory(); });
}

int CCodeTreeCtrl::ItemLine(const QModelIndex& item) { return item.data(COutlineModel::kLineRole).toInt(); }

OutlineRow CCodeTreeCtrl::ItemRow(const QModelIndex& item) {
    return OutlineRow(item.data(COutlineModel::kRowRole).toInt());
}

void CCodeTreeCtrl::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        if (const QModelIndex item = currentIndex(); item.isValid())
            Q_EMIT LineActivated(ItemLine(item));
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
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
