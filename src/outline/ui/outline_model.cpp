// COutlineModel: the outline tree as a model over a flat table of small entries.
#include "outline/ui/outline_model.h"

#include "outline/core/outline_tree_update.h"
#include "outline/ui/outline_images.h"

#include <QAnyStringView>
#include <QLatin1StringView>
#include <QStringBuilder>

#include <algorithm>
#include <utility>

namespace {

std::string_view KeywordOf(OutlineRow row) { return kOutlineKeywords[std::size_t(row)].keyword; }

// A scan's label is its keyword, a blank and the rest of the line; only the rest is kept.
QStringView NameOf(const OutlineItem& item) {
    return QStringView(item.label).mid(std::min(item.label.size(), qsizetype(KeywordOf(item.row).size()) + 1));
}

}  // namespace

// Lets ApplyOutline work on the model's entries, telling views of each change
// unless the whole model is being reset.
class OutlineModelAdapter {
public:
    using Node = int;

    OutlineModelAdapter(COutlineModel& model, bool notify) : m_model(model), m_notify(notify) {}

    Node Root() { return COutlineModel::kTop; }
    // Asking never creates a child list: only groups that get children have one.
    int ChildCount(Node node) { return int(std::as_const(m_model).Children(node).size()); }
    Node Child(Node node, int index) { return std::as_const(m_model).Children(node)[std::size_t(index)]; }

    Node Append(Node parent, const OutlineItem& item) {
        const int place = ChildCount(parent);
        const bool atTop = parent == COutlineModel::kTop;
        // Top-level entries past those shown wait for the views to ask.
        const bool tell = m_notify
            && (atTop ? place == m_model.m_shownTop && place < m_model.m_topWanted : m_model.Shown(parent));
        if (tell)
            m_model.beginInsertRows(m_model.IndexOf(parent), place, place);
        const Node node = m_model.Add(parent, item);
        if (tell) {
            m_model.m_shownTop += atTop;
            m_model.endInsertRows();
        }
        return node;
    }

    // Only what differs is touched, so an unchanged entry raises no change.
    void Set(Node node, const OutlineItem& item) {
        COutlineModel::Entry& entry = m_model.m_entries[std::size_t(node)];
        QList<int> roles;
        const QStringView name = NameOf(item);
        if (entry.row != item.row || !QAnyStringView::equal(m_model.Name(entry), name)) {
            entry.row = item.row;
            m_model.SetName(entry, name);
            roles << Qt::DisplayRole << Qt::DecorationRole << COutlineModel::kRowRole;
        }
        if (entry.line != item.line) {
            entry.line = item.line;
            roles << COutlineModel::kLineRole;
        }
        if (m_notify && !roles.isEmpty() && m_model.Shown(node)) {
            const QModelIndex index = m_model.IndexOf(node);
            Q_EMIT m_model.dataChanged(index, index, roles);
        }
    }

    void RemoveChildrenFrom(Node parent, int index) {
        const int count = ChildCount(parent);
        if (index >= count)
            return;
        const bool atTop = parent == COutlineModel::kTop;
        const int lastShown = atTop ? m_model.m_shownTop - 1 : count - 1;
        const bool tell = m_notify && index <= lastShown && (atTop || m_model.Shown(parent));
        if (tell)
            m_model.beginRemoveRows(m_model.IndexOf(parent), index, lastShown);
        if (atTop)
            m_model.m_shownTop = std::min(m_model.m_shownTop, index);
        std::vector<int>& children = m_model.Children(parent);
        for (std::size_t i = std::size_t(index); i < children.size(); ++i)
            m_model.Free(children[i]);
        if (index == 0 && parent != COutlineModel::kTop)
            m_model.m_children.erase(parent);
        else
            children.resize(std::size_t(index));
        if (tell)
            m_model.endRemoveRows();
    }

private:
    COutlineModel& m_model;
    bool m_notify;
};

COutlineModel::COutlineModel(QObject* parent) : QAbstractItemModel(parent), m_images(OutlineImages()) {}

void COutlineModel::Apply(const OutlineItems& items) {
    // A first fill tells views once instead of once per entry.
    const bool fill = m_top.empty() && !items.empty();
    if (fill) {
        beginResetModel();
        qsizetype names = 0;
        for (const OutlineItem& item : items)
            names += NameOf(item).size();
        m_names.reserve(names + names / 4);  // UTF-8: mostly one byte a character; squeezed below
        m_entries.reserve(items.size());
        m_top.reserve(items.size());
    }
    OutlineModelAdapter adapter(*this, !fill);
    ApplyOutline(adapter, items);
    if (fill) {
        m_names.squeeze();
        m_shownTop = int(std::min(m_top.size(), std::size_t(m_topWanted)));
        endResetModel();
    }
    DropUnusedNames();
}

std::vector<int>& COutlineModel::Children(int node) { return node == kTop ? m_top : m_children[node]; }

const std::vector<int>& COutlineModel::Children(int node) const {
    static const std::vector<int> kNone;
    if (node == kTop)
        return m_top;
    const auto found = m_children.find(node);
    return found == m_children.end() ? kNone : found->second;
}

QModelIndex COutlineModel::IndexOf(int node) const {
    if (node == kTop)
        return {};
    return createIndex(m_entries[std::size_t(node)].place, 0, quintptr(node));
}

bool COutlineModel::Shown(int node) const {
    while (node != kTop && m_entries[std::size_t(node)].parent != kTop)
        node = m_entries[std::size_t(node)].parent;
    return node == kTop || m_entries[std::size_t(node)].place < m_shownTop;
}

QUtf8StringView COutlineModel::Name(const Entry& entry) const {
    return QUtf8StringView(m_names.constData() + entry.nameAt, qsizetype(entry.nameLength));
}

// A changed name goes to the end of the buffer; DropUnusedNames reclaims the old one.
void COutlineModel::SetName(Entry& entry, QStringView name) {
    const QByteArray utf8 = name.toUtf8();
    m_namesInUse += utf8.size() - qsizetype(entry.nameLength);
    entry.nameAt = std::uint32_t(m_names.size());
    entry.nameLength = std::uint16_t(utf8.size());
    m_names.append(utf8);
}

int COutlineModel::Add(int parent, const OutlineItem& item) {
    int node = int(m_entries.size());
    if (m_free.empty()) {
        m_entries.emplace_back();
    } else {
        node = m_free.back();
        m_free.pop_back();
    }
    std::vector<int>& siblings = Children(parent);
    Entry& entry = m_entries[std::size_t(node)];
    entry.parent = parent;
    entry.place = int(siblings.size());
    entry.line = item.line;
    entry.row = item.row;
    entry.nameLength = 0;
    SetName(entry, NameOf(item));
    siblings.push_back(node);
    return node;
}

void COutlineModel::Free(int node) {
    if (const auto found = m_children.find(node); found != m_children.end()) {
        for (const int child : found->second)
            Free(child);
        m_children.erase(found);
    }
    Entry& entry = m_entries[std::size_t(node)];
    m_namesInUse -= qsizetype(entry.nameLength);
    entry.nameLength = 0;
    m_free.push_back(node);
}

// Names replaced or removed stay in the buffer until they outweigh the live
// ones; an empty outline gives back everything.
void COutlineModel::DropUnusedNames() {
    if (m_top.empty()) {
        m_topWanted = kTopRowsPerFetch;
        std::vector<Entry>().swap(m_entries);
        std::vector<int>().swap(m_free);
        std::vector<int>().swap(m_top);
        m_children.clear();
        m_names = QByteArray();
        m_namesInUse = 0;
        return;
    }
    if (m_names.size() <= 2 * m_namesInUse + 4096)
        return;
    QByteArray kept;
    kept.reserve(m_namesInUse);
    std::vector<int> pending(m_top.rbegin(), m_top.rend());
    while (!pending.empty()) {
        const int node = pending.back();
        pending.pop_back();
        Entry& entry = m_entries[std::size_t(node)];
        const QUtf8StringView name = Name(entry);
        entry.nameAt = std::uint32_t(kept.size());
        kept.append(name.data(), name.size());
        const std::vector<int>& children = Children(node);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    m_names = std::move(kept);
}

QModelIndex COutlineModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0 || row >= rowCount(parent))
        return {};
    const std::vector<int>& children = Children(parent.isValid() ? int(parent.internalId()) : kTop);
    return createIndex(row, 0, quintptr(children[std::size_t(row)]));
}

QModelIndex COutlineModel::parent(const QModelIndex& child) const {
    if (!child.isValid())
        return {};
    return IndexOf(m_entries[std::size_t(child.internalId())].parent);
}

int COutlineModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    if (!parent.isValid())
        return m_shownTop;
    return int(Children(int(parent.internalId())).size());
}

bool COutlineModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && std::size_t(m_shownTop) < m_top.size();
}

void COutlineModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    const int shown = int(std::min(m_top.size(), std::size_t(m_shownTop) + kTopRowsPerFetch));
    beginInsertRows({}, m_shownTop, shown - 1);
    m_shownTop = shown;
    m_topWanted = std::max(m_topWanted, shown);
    endInsertRows();
}

int COutlineModel::columnCount(const QModelIndex&) const { return 1; }

QVariant COutlineModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const Entry& entry = m_entries[std::size_t(index.internalId())];
    switch (role) {
    case Qt::DisplayRole: {
        const std::string_view keyword = KeywordOf(entry.row);
        const QUtf8StringView name = Name(entry);
        return QString(QLatin1StringView(keyword.data(), qsizetype(keyword.size())) % u' '
                       % QString::fromUtf8(name.data(), name.size()));
    }
    case Qt::DecorationRole: {
        const int image = kOutlineKeywords[std::size_t(entry.row)].image;
        return image >= 0 ? QVariant(m_images[std::size_t(image)]) : QVariant();
    }
    case kRowRole:
        return int(entry.row);
    case kLineRole:
        return entry.line;
    default:
        return {};
    }
}

Qt::ItemFlags COutlineModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}
