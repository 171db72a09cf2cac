// The outline as a tree shows it and as a scan gives it, in one form to compare.
#pragma once

#include "outline/core/outline_scanner.h"
#include "outline/ui/code_tree_ctrl.h"

#include <QAbstractItemModel>
#include <QStringList>

// Every item in document order as "label@line", after a '>' for each group above it.
// The label shows the keyword of the item's row, so a stale row shows too.
inline QStringList TreeRows(const QAbstractItemModel& model, const QModelIndex& parent = {},
                            const QString& nesting = {}) {
    QStringList rows;
    for (int i = 0; i < model.rowCount(parent); ++i) {
        const QModelIndex item = model.index(i, 0, parent);
        rows << nesting + item.data().toString() + u'@' + QString::number(CCodeTreeCtrl::ItemLine(item));
        rows += TreeRows(model, item, nesting + u'>');
    }
    return rows;
}

// The rows a tree should show for text.
inline QStringList ScanRows(const QByteArray& text) {
    QStringList rows;
    for (const OutlineItem& item : ScanOutline(std::string_view(text.constData(), std::size_t(text.size())))) {
        if (!item.IsGroupEnd())
            rows << QString(item.depth, u'>') + item.label + u'@' + QString::number(item.line);
    }
    return rows;
}
