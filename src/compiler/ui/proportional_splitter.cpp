// ProportionalSplitter: a two-pane splitter whose position is kept as a share of its size.
#include "compiler/ui/proportional_splitter.h"

ProportionalSplitter::ProportionalSplitter(Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent) {
    setChildrenCollapsible(false);
    connect(this, &QSplitter::splitterMoved, this, [this] {
        const QList<int> parts = sizes();
        const int total = parts.size() == 2 ? parts[0] + parts[1] : 0;
        if (total > 0 && parts[0] > 0 && parts[1] > 0)
            m_share = int(qint64(parts[0]) * kWhole / total);
    });
}

void ProportionalSplitter::SetShare(int share) {
    m_share = std::clamp(share, 0, kWhole);
    Apply();
}

void ProportionalSplitter::Apply() {
    if (count() != 2)
        return;
    const int total = orientation() == Qt::Horizontal ? width() : height();
    const int first = int(qint64(total) * m_share / kWhole);
    setSizes({first, std::max(0, total - first)});
}

void ProportionalSplitter::resizeEvent(QResizeEvent* event) {
    QSplitter::resizeEvent(event);
    Apply();
}

void ProportionalSplitter::showEvent(QShowEvent* event) {
    QSplitter::showEvent(event);
    Apply();
}
