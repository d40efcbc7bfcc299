#include "bib/BibTreeModel.h"

#include <QApplication>
#include <QIODevice>
#include <QMimeData>
#include <QStyle>
#include <unordered_map>
#include <vector>

namespace orvelt {
namespace {

const QString kEntryMime = QStringLiteral("application/x-orvelt95-bib-entry");

// A category node's id is 0; an entry's is its category + 1.
constexpr quintptr kCategoryId = 0;

} // namespace

BibTreeModel::BibTreeModel(BibDatabase& database, QObject* parent)
    : QAbstractItemModel(parent), database_(database) {}

int BibTreeModel::TypeOf(const QModelIndex& index) {
    if (!index.isValid())
        return -1;
    return index.internalId() == kCategoryId ? index.row()
                                             : static_cast<int>(index.internalId()) - 1;
}

bool BibTreeModel::IsCategory(const QModelIndex& index) {
    return index.isValid() && index.internalId() == kCategoryId;
}

QModelIndex BibTreeModel::CategoryIndex(int type) const {
    return type >= 0 && type < rowCount({}) ? createIndex(type, 0, kCategoryId) : QModelIndex();
}

QModelIndex BibTreeModel::EntryIndex(int type, const BibEntry* entry) const {
    if (type < 0 || type >= EntryTypeCount || !entry)
        return {};
    const BibCategory& category = database_.Category(type);
    for (std::size_t row = 0; row < category.size(); ++row)
        if (&category[row] == entry)
            return createIndex(static_cast<int>(row), 0, static_cast<quintptr>(type) + 1);
    return {};
}

BibEntry* BibTreeModel::EntryOf(const QModelIndex& index) const {
    const int type = TypeOf(index);
    if (IsCategory(index) || type < 0 || type >= EntryTypeCount)
        return nullptr;
    BibCategory& category = database_.Category(type);
    const auto row = static_cast<std::size_t>(index.row());
    return row < category.size() ? &category[row] : nullptr;
}

const UnknownEntry* BibTreeModel::UnknownOf(const QModelIndex& index) const {
    if (IsCategory(index) || TypeOf(index) != kOtherTypes)
        return nullptr;
    const auto row = static_cast<std::size_t>(index.row());
    return row < database_.UnknownEntries().size() ? &database_.UnknownEntries()[row] : nullptr;
}

void BibTreeModel::CaptionChanged(const QModelIndex& index) {
    emit dataChanged(index, index, {Qt::DisplayRole});
}

void BibTreeModel::SortCategory(int type) {
    if (type < 0 || type >= EntryTypeCount || !database_.NeedsSorting(type))
        return;
    const QModelIndex parent = CategoryIndex(type);
    emit layoutAboutToBeChanged({QPersistentModelIndex(parent)},
                                QAbstractItemModel::VerticalSortHint);
    // The persistent indexes (selection, current node) follow their entries by address.
    QModelIndexList from;
    std::vector<const BibEntry*> entries;
    for (const QModelIndex& index : persistentIndexList()) {
        if (!IsCategory(index) && TypeOf(index) == type) {
            from.append(index);
            entries.push_back(EntryOf(index));
        }
    }
    database_.SortCategory(type);
    std::unordered_map<const BibEntry*, int> rows;
    for (const BibEntry* entry : entries)
        rows.emplace(entry, -1);
    const BibCategory& category = database_.Category(type);
    for (std::size_t row = 0; row < category.size(); ++row)
        if (auto it = rows.find(&category[row]); it != rows.end())
            it->second = static_cast<int>(row);
    QModelIndexList to;
    for (const BibEntry* entry : entries)
        to.append(createIndex(rows[entry], 0, static_cast<quintptr>(type) + 1));
    changePersistentIndexList(from, to);
    emit layoutChanged({QPersistentModelIndex(parent)}, QAbstractItemModel::VerticalSortHint);
}

QModelIndex BibTreeModel::AppendEntry(int type, BibEntry entry) {
    const auto row = static_cast<int>(database_.Category(type).size());
    beginInsertRows(CategoryIndex(type), row, row);
    database_.AddEntry(type, std::move(entry.Data), std::move(entry.Caption)).Extra =
        std::move(entry.Extra);
    endInsertRows();
    return createIndex(row, 0, static_cast<quintptr>(type) + 1);
}

void BibTreeModel::RemoveEntry(const QModelIndex& index) {
    if (!EntryOf(index))
        return;
    const int type = TypeOf(index);
    beginRemoveRows(index.parent(), index.row(), index.row());
    database_.RemoveEntry(type, static_cast<std::size_t>(index.row()));
    endRemoveRows();
}

QModelIndex BibTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0 || row >= rowCount(parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, 0, kCategoryId);
    return createIndex(row, 0, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex BibTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kCategoryId)
        return {};
    return createIndex(static_cast<int>(child.internalId()) - 1, 0, kCategoryId);
}

int BibTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return EntryTypeCount + (database_.UnknownEntries().empty() ? 0 : 1);
    if (!IsCategory(parent))
        return 0;
    if (parent.row() == kOtherTypes)
        return static_cast<int>(database_.UnknownEntries().size());
    return static_cast<int>(database_.Category(parent.row()).size());
}

int BibTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant BibTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DecorationRole)
        return QApplication::style()->standardIcon(IsCategory(index) ? QStyle::SP_DirIcon
                                                                     : QStyle::SP_FileIcon);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    if (IsCategory(index))
        return index.row() == kOtherTypes
                   ? QStringLiteral("Other types")
                   : QString::fromUtf8(CategoryCaptions[static_cast<std::size_t>(index.row())]);
    if (const BibEntry* entry = EntryOf(index))
        return QString::fromStdString(entry->Caption);
    if (const UnknownEntry* other = UnknownOf(index))
        return QString::fromStdString("@" + other->Type + " " + other->Key);
    return {};
}

Qt::ItemFlags BibTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (IsCategory(index) && index.row() < EntryTypeCount)
        flags |= Qt::ItemIsDropEnabled;
    if (EntryOf(index))
        flags |= Qt::ItemIsDragEnabled;
    return flags;
}

QStringList BibTreeModel::mimeTypes() const {
    return {kEntryMime};
}

QMimeData* BibTreeModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty() || !EntryOf(indexes.first()))
        return nullptr;
    // The entry's address says which it is whatever the rows do meanwhile; the model's says
    // that it is one of ours.
    auto* data = new QMimeData;
    data->setData(kEntryMime,
                  QByteArray::number(reinterpret_cast<quintptr>(this)) + ' ' +
                      QByteArray::number(TypeOf(indexes.first())) + ' ' +
                      QByteArray::number(reinterpret_cast<quintptr>(EntryOf(indexes.first()))));
    return data;
}

const BibEntry* BibTreeModel::DraggedEntry(const QMimeData* data, int& type) const {
    if (!data)
        return nullptr;
    const QList<QByteArray> parts = data->data(kEntryMime).split(' ');
    if (parts.size() != 3 ||
        parts[0].toULongLong() != static_cast<qulonglong>(reinterpret_cast<quintptr>(this)))
        return nullptr;
    bool ok = false;
    type = parts[1].toInt(&ok);
    if (!ok || type < 0 || type >= EntryTypeCount)
        return nullptr;
    const auto wanted = static_cast<quintptr>(parts[2].toULongLong());
    // Only an entry that is still there: never an address taken on trust.
    for (const BibEntry& entry : database_.Category(type))
        if (reinterpret_cast<quintptr>(&entry) == wanted)
            return &entry;
    return nullptr;
}

bool BibTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int,
                                   const QModelIndex& parent) const {
    int type = -1;
    return IsCategory(parent) && parent.row() < EntryTypeCount && DraggedEntry(data, type);
}

bool BibTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    int type = -1;
    const BibEntry* source = DraggedEntry(data, type);
    emit Dropped(type, source, parent.row());
    return true;
}

} // namespace orvelt
