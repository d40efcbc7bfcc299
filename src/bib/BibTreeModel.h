#pragma once

#include "bib/bibtex/BibDatabase.h"

#include <QAbstractItemModel>

namespace orvelt {

// The tree of a bibliography window over its database, never a copy: the sixteen categories
// and, when there are any, "Other types", each with its entries. Rows are made when the view
// asks for them, so a database of any size opens at once.
class BibTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // The category of entries of types that are none of the sixteen: listed, not edited.
    static constexpr int kOtherTypes = EntryTypeCount;

    BibTreeModel(BibDatabase& database, QObject* parent);

    // The node's category (also of a category node), or -1.
    [[nodiscard]] static int TypeOf(const QModelIndex& index);
    [[nodiscard]] static bool IsCategory(const QModelIndex& index);
    [[nodiscard]] QModelIndex CategoryIndex(int type) const;
    [[nodiscard]] QModelIndex EntryIndex(int type, const BibEntry* entry) const;
    // Null for a category node and for an entry of another type.
    [[nodiscard]] BibEntry* EntryOf(const QModelIndex& index) const;
    [[nodiscard]] const UnknownEntry* UnknownOf(const QModelIndex& index) const;

    // The entry's caption changed.
    void CaptionChanged(const QModelIndex& index);
    // Sorts an ordinary category; the view's selection stays on the same entries.
    void SortCategory(int type);
    QModelIndex AppendEntry(int type, BibEntry entry);
    void RemoveEntry(const QModelIndex& index);
    // Around a change of the whole database (an import).
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }

    QModelIndex index(int row, int column, const QModelIndex& parent) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Dragging an entry onto a category copies it into that type.
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }

signals:
    // An entry was dropped on a category: the window asks and copies once the drag is over.
    void Dropped(int sourceType, const orvelt::BibEntry* source, int targetType);

private:
    // The dragged entry of this model: its category and itself; null for anything else.
    [[nodiscard]] const BibEntry* DraggedEntry(const QMimeData* data, int& type) const;
    BibDatabase& database_;
};

} // namespace orvelt
