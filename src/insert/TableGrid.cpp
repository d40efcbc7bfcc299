#include "insert/TableGrid.h"

namespace orvelt {

int TableGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : design_.Rows();
}

int TableGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : design_.Cols();
}

QVariant TableGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return QString::fromStdString(design_.Text(index.column() + 1, index.row() + 1));
}

bool TableGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const std::string text = value.toString().toStdString();
    if (text == design_.Text(index.column() + 1, index.row() + 1))
        return true;
    design_.SetText(index.column() + 1, index.row() + 1, text);
    emit dataChanged(index, index, {role});
    return true;
}

Qt::ItemFlags TableGridModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant TableGridModel::headerData(int section, Qt::Orientation, int role) const {
    if (role == Qt::DisplayRole)
        return section + 1;
    if (role == Qt::TextAlignmentRole)
        return Qt::AlignCenter;
    return {};
}

QWidget* TableCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName("CellEditor");
    editor->setFrame(false);
    editor->setFont(parent->font());
    connect(editor, &QLineEdit::textEdited, this,
            [this, index = QPersistentModelIndex(index)](const QString& text) {
                emit TextEdited(index, text);
            });
    editor_ = editor;
    return editor;
}

} // namespace orvelt
