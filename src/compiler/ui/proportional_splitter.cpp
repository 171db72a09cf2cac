// ProportionalSplitter: a splitter whose first pane keeps a share of its size; the others split the rest.
#include "compiler/ui/proportional_splitter.h"

#include <numeric>

ProportionalSplitter::ProportionalSplitter(Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent) {
    setChildrenCollapsible(false);
    connect(this, &QSplitter::splitterMoved, this, [this] {
        const QList<int> parts = sizes();
        const int total = std::accumulate(parts.begin(), parts.end(), 0);
        if (parts.size() >= 2 && parts[0] > 0 && total > parts[0])
            m_share = int(qint64(parts[0]) * kWhole / total);
    });
}

void ProportionalSplitter::SetShare(int share) {
    m_share = std::clamp(share, 0, kWhole);
    Apply();
}

void ProportionalSplitter::Apply() {
    if (count() < 2)
        return;
    const int total = orientation() == Qt::Horizontal ? width() : height();
    const int first = int(qint64(total) * m_share / kWhole);
    // The panes after the first share the rest evenly; hidden ones take nothing.
    QList<int> parts{first};
    int shown = 0;
    for (int i = 1; i < count(); ++i)
        shown += widget(i)->isHidden() ? 0 : 1;
    for (int i = 1; i < count(); ++i)
        parts << (widget(i)->isHidden() || shown == 0 ? 0 : std::max(0, total - first) / shown);
    setSizes(parts);
}

void ProportionalSplitter::resizeEvent(QResizeEvent* event) {
    QSplitter::resizeEvent(event);
    Apply();
}

void ProportionalSplitter::showEvent(QShowEvent* event) {
    QSplitter::showEvent(event);
    Apply();
}
