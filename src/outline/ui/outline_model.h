// COutlineModel: the outline tree as a model over a flat table of small entries.
#pragma once

#include "outline/core/outline_item.h"

#include <QAbstractItemModel>
#include <QByteArray>
#include <QIcon>
#include <QUtf8StringView>

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

// A big script has a hundred thousand entries: each is a few integers and
// its name in one shared buffer, not an item object with its own strings.
class COutlineModel : public QAbstractItemModel {
    Q_OBJECT
public:
    static constexpr int kRowRole = Qt::UserRole;   // the entry's OutlineRow, as int
    static constexpr int kLineRole = Qt::UserRole + 1;  // its 0-based document line
    // Views are told of the top-level entries this many at a time, as they
    // scroll to the end: a tree view keeps 40 bytes for every row it knows,
    // 4 MB for a 50 MB script's outline.
    static constexpr int kTopRowsPerFetch = 10000;

    explicit COutlineModel(QObject* parent = nullptr);

    // Brings the entries up to date with a scan, reusing them in document
    // order: entries that stay in place keep their indexes, so the view keeps
    // expansion, selection and scroll position.
    void Apply(const OutlineItems& items);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    friend class OutlineModelAdapter;

    static constexpr int kTop = -1;  // the invisible root above the top-level entries

    // 20 bytes an entry.
    struct Entry {
        int parent = kTop;
        int place = 0;  // among the parent's children
        int line = 0;
        std::uint32_t nameAt = 0;  // the label after its keyword, in m_names
        // UTF-8 bytes: a name comes from a line under 2,048 bytes, each byte at most 3 once decoded.
        std::uint16_t nameLength = 0;
        OutlineRow row = OutlineRow::Section;
    };

    std::vector<int>& Children(int node);
    const std::vector<int>& Children(int node) const;
    QModelIndex IndexOf(int node) const;
    // Whether views know of the entry: its top-level ancestor is among the rows shown.
    bool Shown(int node) const;
    QUtf8StringView Name(const Entry& entry) const;
    void SetName(Entry& entry, QStringView name);
    int Add(int parent, const OutlineItem& item);
    void Free(int node);
    void DropUnusedNames();

    std::array<QIcon, kOutlineImageCount> m_images;
    std::vector<Entry> m_entries;
    std::vector<int> m_top;
    int m_shownTop = 0;                   // the first top-level entries, those views know of
    int m_topWanted = kTopRowsPerFetch;  // how many views have asked for so far
    std::unordered_map<int, std::vector<int>> m_children;  // of groups that have any
    std::vector<int> m_free;  // entries no longer in the tree, for reuse
    QByteArray m_names;  // UTF-8: half the size of the labels' own text
    qsizetype m_namesInUse = 0;
};
