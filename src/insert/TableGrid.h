#pragma once

#include "insert/table/TableDesign.h"

#include <QAbstractTableModel>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

namespace orvelt {

// The designer's cells as a Qt model over the design: a cell's text is its display and edit
// value, the headers number the columns and rows from 1.
class TableGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TableGridModel(TableDesign& design, QObject* parent = nullptr)
        : QAbstractTableModel(parent), design_(design) {}

    // After the design's size changed.
    void Reload() {
        beginResetModel();
        endResetModel();
    }
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    TableDesign& design_;
};

// Draws a cell as the designer's owner does, and opens a plain line editor that reports every
// change of its text at once (so that a text left in it is never lost).
class TableCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using Painter = std::function<void(QPainter*, const QStyleOptionViewItem&, const QModelIndex&)>;
    TableCellDelegate(Painter paint, QObject* parent)
        : QStyledItemDelegate(parent), paint_(std::move(paint)) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        paint_(painter, option, index);
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    [[nodiscard]] QLineEdit* OpenEditor() const { return editor_; }

signals:
    void TextEdited(const QModelIndex& index, const QString& text) const;

private:
    Painter paint_;
    mutable QPointer<QLineEdit> editor_;
};

// The grid view, with its open editor closed on request.
class TableGridView : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;
    void CloseEditor(QLineEdit* editor) {
        if (editor)
            closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
};

} // namespace orvelt
