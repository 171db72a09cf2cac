// The layout the bottom pane's place lists share: a title over a flat list whose one text column stretches.
#pragma once

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

inline void LayOutPlaceList(QWidget* owner, QLabel* title, QTreeWidget* tree, const QStringList& headers,
                            int stretchColumn) {
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(title);
    layout->addWidget(tree);
    tree->setColumnCount(int(headers.size()));
    tree->setHeaderLabels(headers);
    tree->setRootIsDecorated(false);
    tree->setUniformRowHeights(true);
    tree->setAllColumnsShowFocus(true);
    tree->header()->setStretchLastSection(false);
    for (int column = 0; column < headers.size(); ++column)
        tree->header()->setSectionResizeMode(
            column, column == stretchColumn ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
}
