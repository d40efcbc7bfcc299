#pragma once

#include "core/CodePage.h"

#include <QLineEdit>

namespace orvelt {

// The always-open editor of a grid cell. In a file whose code page cannot hold every character
// a character it cannot hold is not typed, and becomes "?" when pasted or dropped in, so what is
// shown is what will be saved. Up, Down and Enter move to the next cell of the column.
class BibCellEdit : public QLineEdit {
    Q_OBJECT
public:
    BibCellEdit(TextEncoding encoding, QWidget* parent);

signals:
    void MoveRows(int by);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TextEncoding encoding_;
};

} // namespace orvelt
