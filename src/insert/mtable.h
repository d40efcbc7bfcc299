#pragma once

#include "insert/table/TableDesign.h"

#include <QDialog>
#include <QModelIndex>
#include <array>

class QButtonGroup;
class QFrame;
class QLabel;
class QPainter;
class QPushButton;
class QStyleOptionViewItem;
class QToolButton;

namespace orvelt {

class Prompter;
class TNumEdit;
class TUpDown;
class TableCellDelegate;
class TableGridModel;
class TableGridView;
class TqueryTable;

// TmakeTable: the table designer. The cells are typed in a grid; the side panel sets the rules
// around the selected cells, their alignments and the sizes of their columns and rows. The
// design is kept from one use to the next.
class TmakeTable : public QDialog {
    Q_OBJECT
public:
    TmakeTable(const TqueryTable& query, Prompter& prompter, QWidget* parent = nullptr);
    ~TmakeTable() override;

    [[nodiscard]] const TableDesign& Design() const { return design_; }
    // The sizes in ex, as OK left them.
    [[nodiscard]] const TableSizes& ExSizes() const { return sizes_; }
    // One ex of the grid font, in pixels.
    [[nodiscard]] int PixelsPerEx() const;

    TableGridView* AGrid;
    QFrame* Panel5; // top
    QFrame* Panel6; // bottom
    QFrame* Panel7; // left
    QFrame* Panel8; // right
    QFrame* LineTop;
    QFrame* LineBottom;
    QFrame* LineLeft;
    QFrame* LineRight;
    QToolButton* BtnLeft;
    QToolButton* BtnCenter;
    QToolButton* BtnRight;
    QToolButton* BtnTop;
    QToolButton* BtnMid;
    QToolButton* BtnBot;
    QPushButton* BtnMulti;
    TNumEdit* EditColWidth;
    TNumEdit* EditRowHeight;
    TUpDown* UpDown1;
    TUpDown* UpDown2;
    QLabel* Label5;
    QPushButton* Button1; // OK
    QPushButton* Button2; // Cancel

    void FormShow();
    void AGridSelectCell(int col, int row);
    void AGridSetEditText(const QModelIndex& index, const QString& text);
    void AGridDrawCell(QPainter* painter, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const;
    void Panel7Click(QFrame* panel);
    void BtnLeftClick(int tag);
    void BtnTopClick(int tag);
    void BtnMultiClick();
    void EditColWidthExit();
    void EditRowHeightExit();
    void Button1Click();
    void FormResize();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* RulePanel(QWidget* parent, const char* name, RuleSide side, const char* lineName,
                      QFrame*& line);
    QToolButton* AlignButton(QWidget* parent, const char* name, int tag, bool horizontal,
                             const char* hint);
    // The selected cells, or the current one.
    [[nodiscard]] CellRange Selection() const;
    void ShowCurrentSizes();
    [[nodiscard]] bool Editing() const;

    const TqueryTable& query_;
    Prompter& prompter_;
    TableDesign design_;
    TableSizes sizes_;
    TableGridModel* model_;
    TableCellDelegate* delegate_;
    QButtonGroup* horizontal_;
    QButtonGroup* vertical_;
    QWidget* sidePanel_;
    QWidget* buttonPanel_;
};

} // namespace orvelt
