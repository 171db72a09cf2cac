// Removing the rows a list view had selected from the list it shows.
#pragma once

#include <QList>

#include <algorithm>
#include <functional>

// rows in any order, duplicates and rows out of range allowed.
template <typename T>
void RemoveRows(QList<T>& list, QList<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows) {
        if (row >= 0 && row < list.size())
            list.removeAt(row);
    }
}
