#include "insert/mtable.h"

#include "insert/TableGrid.h"
#include "insert/qtable.h"
#include "platform/Prompter.h"
#include "widgets/Numedit.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvelt {

namespace {

const char* const kRuleHint = "Click to add / remove lines.";
const char* const kHorizontalHint = "Change horizontal alignment of current selection";
const char* const kVerticalHint = "Change vertical alignment of current selection";

void Hint(QWidget* widget, const QString& hint) {
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

// The alignment buttons' pictures: lines of text placed left, centred or right, and a bar at
// the top, middle or bottom of a box.
QIcon AlignIcon(int tag, bool horizontal) {
    QPixmap picture(20, 20);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 1));
    if (horizontal) {
        const int lengths[] = {14, 8, 12, 6};
        for (int i = 0; i < 4; ++i) {
            const int length = lengths[i];
            const int left = tag == 1 ? 3 : tag == 2 ? 3 + (14 - length) / 2 : 17 - length;
            painter.drawLine(left, 4 + 4 * i, left + length - 1, 4 + 4 * i);
        }
    } else {
        painter.drawRect(3, 2, 13, 15);
        const int top = tag == 1 ? 4 : tag == 2 ? 8 : 12;
        painter.fillRect(6, top, 8, 3, Qt::black);
    }
    return QIcon(picture);
}

} // namespace

TmakeTable::TmakeTable(const TqueryTable& query, Prompter& prompter, QWidget* parent)
    : QDialog(parent), AGrid(new TableGridView(this)), query_(query), prompter_(prompter),
      model_(new TableGridModel(design_, this)),
      delegate_(new TableCellDelegate(
          [this](QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) {
              AGridDrawCell(painter, option, index);
          },
          this)),
      horizontal_(new QButtonGroup(this)), vertical_(new QButtonGroup(this)),
      sidePanel_(new QWidget(this)), buttonPanel_(new QWidget(sidePanel_)) {
    setObjectName("makeTable");
    setWindowTitle("Make table");
    resize(640, 420);

    AGrid->setObjectName("AGrid");
    QFont font("Times New Roman");
    font.setPixelSize(15);
    AGrid->setFont(font);
    AGrid->setModel(model_);
    AGrid->setItemDelegate(delegate_);
    AGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    AGrid->setWordWrap(false);
    AGrid->setGridStyle(Qt::NoPen); // the cells draw their rules and lines themselves
    AGrid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    QHeaderView* columns = AGrid->horizontalHeader();
    QHeaderView* rows = AGrid->verticalHeader();
    columns->setMinimumSectionSize(4);
    rows->setMinimumSectionSize(4);
    columns->setDefaultSectionSize(TableDesign::kDefaultColumnPixels);
    rows->setDefaultSectionSize(TableDesign::kDefaultRowPixels);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    rows->setSectionResizeMode(QHeaderView::Interactive);
    columns->setFixedHeight(TableDesign::kDefaultRowPixels);
    rows->setFixedWidth(20);
    connect(columns, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        design_.SetColumnPixels(section + 1, size);
        ShowCurrentSizes();
    });
    connect(rows, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        design_.SetRowPixels(section + 1, size);
        ShowCurrentSizes();
    });
    connect(AGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid())
                    return;
                // The view's own CurrentChanged trigger opens the editor there while editing is on.
                AGridSelectCell(current.column() + 1, current.row() + 1);
            });
    connect(delegate_, &TableCellDelegate::TextEdited, this, &TmakeTable::AGridSetEditText);

    sidePanel_->setObjectName("Panel1");
    sidePanel_->setFixedWidth(200);
    auto* side = new QVBoxLayout(sidePanel_);

    auto* ruleBox = new QWidget(sidePanel_);
    ruleBox->setFixedSize(80, 80);
    auto* square = new QFrame(ruleBox);
    square->setFrameShape(QFrame::Box);
    // Light, so that a rule's black line, present or not, is what the eye reads.
    QPalette light = square->palette();
    light.setColor(QPalette::WindowText, QColor(0xc0c0c0));
    square->setPalette(light);
    square->setGeometry(16, 16, 48, 48);
    Panel5 = RulePanel(ruleBox, "Panel5", RuleSide::Top, "LineTop", LineTop);
    Panel6 = RulePanel(ruleBox, "Panel6", RuleSide::Bottom, "LineBottom", LineBottom);
    Panel7 = RulePanel(ruleBox, "Panel7", RuleSide::Left, "LineLeft", LineLeft);
    Panel8 = RulePanel(ruleBox, "Panel8", RuleSide::Right, "LineRight", LineRight);
    side->addWidget(ruleBox, 0, Qt::AlignHCenter);

    auto* alignments = new QGridLayout;
    BtnLeft = AlignButton(sidePanel_, "BtnLeft", 1, true, kHorizontalHint);
    BtnCenter = AlignButton(sidePanel_, "BtnCenter", 2, true, kHorizontalHint);
    BtnRight = AlignButton(sidePanel_, "BtnRight", 3, true, kHorizontalHint);
    BtnTop = AlignButton(sidePanel_, "BtnTop", 1, false, kVerticalHint);
    BtnMid = AlignButton(sidePanel_, "BtnMid", 2, false, kVerticalHint);
    BtnBot = AlignButton(sidePanel_, "BtnBot", 3, false, kVerticalHint);
    QToolButton* const all[] = {BtnLeft, BtnCenter, BtnRight, BtnTop, BtnMid, BtnBot};
    for (int i = 0; i < 6; ++i)
        alignments->addWidget(all[i], i / 3, i % 3);
    connect(horizontal_, &QButtonGroup::idClicked, this, &TmakeTable::BtnLeftClick);
    connect(vertical_, &QButtonGroup::idClicked, this, &TmakeTable::BtnTopClick);
    side->addLayout(alignments);

    BtnMulti = new QPushButton("Multiselect", sidePanel_);
    BtnMulti->setObjectName("BtnMulti");
    BtnMulti->setCheckable(true);
    BtnMulti->setAutoDefault(false);
    Hint(BtnMulti, "You can only enter text, if this button is up. When it's down you can select "
                   "multiple cells.");
    connect(BtnMulti, &QPushButton::clicked, this, &TmakeTable::BtnMultiClick);
    side->addWidget(BtnMulti);

    const struct {
        const char* caption;
        const char* name;
        const char* upDownName;
        const char* hint;
        TNumEdit*& edit;
        TUpDown*& upDown;
        void (TmakeTable::*apply)();
    } sizes[] = {{"Colwidth", "EditColWidth", "UpDown1", "Set colwidth for current selection",
                  EditColWidth, UpDown1, &TmakeTable::EditColWidthExit},
                 {"Rowheight", "EditRowHeight", "UpDown2", "Set rowheight for current selection",
                  EditRowHeight, UpDown2, &TmakeTable::EditRowHeightExit}};
    for (const auto& s : sizes) {
        auto* row = new QHBoxLayout;
        row->setSpacing(0);
        auto* label = new QLabel(s.caption, sidePanel_);
        label->setFixedWidth(70);
        s.edit = new TNumEdit(sidePanel_);
        s.edit->setObjectName(s.name);
        s.edit->SetAccepted(".,");
        s.edit->SetKeepsEnter(true);
        s.edit->setFixedWidth(56);
        Hint(s.edit, s.hint);
        s.upDown = new TUpDown(sidePanel_);
        s.upDown->setObjectName(s.upDownName);
        s.upDown->Associate(s.edit);
        s.upDown->SetRange(1, 100);
        connect(s.edit, &QLineEdit::editingFinished, this, s.apply);
        connect(s.upDown, &TUpDown::Click, this, s.apply);
        row->addWidget(label);
        row->addWidget(s.edit);
        row->addWidget(s.upDown);
        row->addSpacing(4);
        row->addWidget(new QLabel("ex", sidePanel_));
        row->addStretch();
        side->addLayout(row);
    }

    Label5 = new QLabel("<- Try changing the column- and rowsizes. They will be translated and "
                        "TeX'ed correctly!",
                        sidePanel_);
    Label5->setObjectName("Label5");
    Label5->setWordWrap(true);
    side->addWidget(Label5);
    side->addStretch();

    buttonPanel_->setObjectName("Panel2");
    buttonPanel_->setFixedHeight(40);
    Button1 = new QPushButton("OK", buttonPanel_);
    Button2 = new QPushButton("Cancel", buttonPanel_);
    Button1->setObjectName("Button1");
    Button2->setObjectName("Button2");
    for (QPushButton* button : {Button1, Button2}) {
        button->setAutoDefault(false);
        button->setFixedSize(75, 25);
    }
    connect(Button1, &QPushButton::clicked, this, &TmakeTable::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    buttonPanel_->installEventFilter(this);
    side->addWidget(buttonPanel_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(AGrid, 1);
    layout->addWidget(sidePanel_);
}

TmakeTable::~TmakeTable() = default;

QFrame* TmakeTable::RulePanel(QWidget* parent, const char* name, RuleSide side,
                              const char* lineName, QFrame*& line) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setProperty("tag", static_cast<int>(side));
    const bool across = side == RuleSide::Top || side == RuleSide::Bottom;
    const QRect places[] = {{0, 16, 16, 48}, {16, 0, 48, 16}, {64, 16, 16, 48}, {16, 64, 48, 16}};
    panel->setGeometry(places[static_cast<int>(side) - 1]);
    Hint(panel, kRuleHint);
    line = new QFrame(panel);
    line->setObjectName(lineName);
    line->setAutoFillBackground(true);
    QPalette black = line->palette();
    black.setColor(QPalette::Window, Qt::black);
    line->setPalette(black);
    // The line lies along the square's edge, two pixels thick.
    if (across)
        line->setGeometry(0, side == RuleSide::Top ? 13 : 1, 48, 2);
    else
        line->setGeometry(side == RuleSide::Left ? 13 : 1, 0, 2, 48);
    Hint(line, kRuleHint);
    panel->installEventFilter(this);
    line->installEventFilter(this);
    return panel;
}

QToolButton* TmakeTable::AlignButton(QWidget* parent, const char* name, int tag, bool horizontal,
                                     const char* hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setIcon(AlignIcon(tag, horizontal));
    button->setIconSize(QSize(20, 20));
    Hint(button, hint);
    (horizontal ? horizontal_ : vertical_)->addButton(button, tag);
    return button;
}

int TmakeTable::PixelsPerEx() const {
    return std::max(1, QFontMetrics(AGrid->font()).xHeight());
}

bool TmakeTable::Editing() const {
    return !BtnMulti->isChecked();
}

CellRange TmakeTable::Selection() const {
    const QModelIndexList selected = AGrid->selectionModel()->selectedIndexes();
    const QModelIndex current = AGrid->currentIndex();
    if (selected.isEmpty()) {
        const int c = current.isValid() ? current.column() + 1 : 1;
        const int r = current.isValid() ? current.row() + 1 : 1;
        return {c, r, c, r};
    }
    CellRange range{design_.Cols(), design_.Rows(), 1, 1};
    for (const QModelIndex& index : selected) {
        range.firstCol = std::min(range.firstCol, index.column() + 1);
        range.firstRow = std::min(range.firstRow, index.row() + 1);
        range.lastCol = std::max(range.lastCol, index.column() + 1);
        range.lastRow = std::max(range.lastRow, index.row() + 1);
    }
    return range;
}

void TmakeTable::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TmakeTable::FormShow() {
    design_.Start(query_.EditCols->Number(), query_.EditRows->Number());
    sizes_ = {};
    model_->Reload();
    for (int c = 1; c <= design_.Cols(); ++c)
        AGrid->setColumnWidth(c - 1, design_.ColumnPixels(c));
    for (int r = 1; r <= design_.Rows(); ++r)
        AGrid->setRowHeight(r - 1, design_.RowPixels(r));
    BtnMulti->setChecked(false);
    AGrid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    AGrid->setFocus();
    AGrid->setCurrentIndex(model_->index(0, 0));
}

void TmakeTable::AGridSelectCell(int col, int row) {
    LineTop->setVisible(design_.Rule(col, row, RuleSide::Top));
    LineBottom->setVisible(design_.Rule(col, row, RuleSide::Bottom));
    LineLeft->setVisible(design_.Rule(col, row, RuleSide::Left));
    LineRight->setVisible(design_.Rule(col, row, RuleSide::Right));
    horizontal_->button(static_cast<int>(design_.HAlign(col, row)) + 1)->setChecked(true);
    vertical_->button(static_cast<int>(design_.VAlign(col, row)) + 1)->setChecked(true);
    ShowCurrentSizes();
}

void TmakeTable::ShowCurrentSizes() {
    const QModelIndex current = AGrid->currentIndex();
    if (!current.isValid())
        return;
    EditColWidth->setText(
        QString::number(WholeEx(AGrid->columnWidth(current.column()), PixelsPerEx())));
    EditRowHeight->setText(
        QString::number(WholeEx(AGrid->rowHeight(current.row()), PixelsPerEx())));
}

void TmakeTable::AGridSetEditText(const QModelIndex& index, const QString& text) {
    if (!index.isValid())
        return;
    model_->setData(index, text, Qt::EditRole);
    const QFontMetrics metrics(AGrid->font());
    const int needed =
        NeededColumnPixels(design_, index.column() + 1, index.row() + 1, text.toStdString(),
                           [&metrics](std::string_view cell) {
                               return metrics.horizontalAdvance(QString::fromUtf8(
                                   cell.data(), static_cast<qsizetype>(cell.size())));
                           });
    if (AGrid->columnWidth(index.column()) < needed)
        AGrid->setColumnWidth(index.column(), needed);
}

void TmakeTable::AGridDrawCell(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const int c = index.column() + 1;
    const int r = index.row() + 1;
    const QRect rect = option.rect;
    const bool marked = option.state.testFlag(QStyle::State_Selected) ||
                        option.state.testFlag(QStyle::State_HasFocus);
    painter->save();
    painter->fillRect(rect, option.palette.color(marked ? QPalette::Highlight : QPalette::Base));
    painter->setFont(AGrid->font());
    painter->setPen(option.palette.color(marked ? QPalette::HighlightedText : QPalette::Text));
    static constexpr Qt::Alignment kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                    Qt::AlignRight};
    static constexpr Qt::Alignment kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    // Three pixels from the aligned edges; a row too low for a line of the font keeps the
    // line whole rather than the margins.
    const int spare = rect.height() - QFontMetrics(AGrid->font()).height();
    const int margin = std::clamp(spare / 2, 0, 3);
    painter->setClipRect(rect);
    painter->drawText(rect.adjusted(3, margin, -3, -margin),
                      static_cast<int>(kHorizontal[static_cast<int>(design_.HAlign(c, r))] |
                                       kVertical[static_cast<int>(design_.VAlign(c, r))]),
                      index.data().toString());
    painter->setClipping(false);
    // The rules lie on the grid lines between cells, where both neighbours draw the same
    // pixels; the outer edges of the table lie inside its cells.
    const int left = c == 1 ? rect.left() : rect.left() - 1;
    const int top = r == 1 ? rect.top() : rect.top() - 1;
    const int right = c == design_.Cols() ? rect.right() : rect.right() + 1;
    const int bottom = r == design_.Rows() ? rect.bottom() : rect.bottom() + 1;
    const struct {
        RuleSide side;
        QPoint from;
        QPoint to;
    } edges[] = {{RuleSide::Top, {left, top}, {right, top}},
                 {RuleSide::Bottom, {left, bottom}, {right, bottom}},
                 {RuleSide::Left, {left, top}, {left, bottom}},
                 {RuleSide::Right, {right, top}, {right, bottom}}};
    // Plain grid lines first, so that no corner of one breaks a rule.
    for (const bool rules : {false, true}) {
        painter->setPen(QPen(rules ? QColor(Qt::black) : QColor(0xd8d8d8), 1));
        for (const auto& e : edges)
            if (design_.Rule(c, r, e.side) == rules)
                painter->drawLine(e.from, e.to);
    }
    painter->restore();
}

bool TmakeTable::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buttonPanel_ && event->type() == QEvent::Resize) {
        FormResize();
        return false;
    }
    if (event->type() != QEvent::MouseButtonRelease ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return QDialog::eventFilter(watched, event);
    for (QFrame* panel : {Panel5, Panel6, Panel7, Panel8}) {
        if (watched == panel || watched == panel->children().value(0)) {
            Panel7Click(panel);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TmakeTable::Panel7Click(QFrame* panel) {
    auto* line = static_cast<QFrame*>(panel->children().value(0));
    const bool on = line->isHidden();
    line->setVisible(on);
    design_.SetRule(Selection(), static_cast<RuleSide>(panel->property("tag").toInt()), on);
    AGrid->viewport()->update();
}

void TmakeTable::BtnLeftClick(int tag) {
    design_.SetHAlign(Selection(), static_cast<HorizontalAlign>(tag - 1));
    AGrid->viewport()->update();
}

void TmakeTable::BtnTopClick(int tag) {
    design_.SetVAlign(Selection(), static_cast<VerticalAlign>(tag - 1));
    AGrid->viewport()->update();
}

void TmakeTable::BtnMultiClick() {
    if (!Editing()) {
        AGrid->CloseEditor(delegate_->OpenEditor());
        AGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        return;
    }
    const QModelIndex current = AGrid->currentIndex();
    AGrid->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
    AGrid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    AGrid->edit(current);
}

void TmakeTable::EditColWidthExit() {
    const std::optional<double> ex = ReadSizeEx(EditColWidth->text().toStdString());
    if (!ex) {
        ShowCurrentSizes(); // no number: the size stays, and shows again
        return;
    }
    const CellRange range = Selection();
    for (int c = range.firstCol; c <= range.lastCol; ++c)
        AGrid->setColumnWidth(c - 1, PixelsOfEx(*ex, PixelsPerEx()));
}

void TmakeTable::EditRowHeightExit() {
    const std::optional<double> ex = ReadSizeEx(EditRowHeight->text().toStdString());
    if (!ex) {
        ShowCurrentSizes();
        return;
    }
    const CellRange range = Selection();
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        AGrid->setRowHeight(r - 1, PixelsOfEx(*ex, PixelsPerEx()));
}

void TmakeTable::Button1Click() {
    // Such a cell stops pdflatex, and a stray "&" in a box loops a non-stop run for ever.
    if (const std::optional<CellRef> cell = FirstUntypesettableCell(design_)) {
        const QString question =
            QStringLiteral("The text of column %1, row %2 cannot be typeset: its braces do not "
                           "pair up, or it holds an \"&\" outside an environment of its own. "
                           "Insert the table as typed?")
                .arg(cell->col)
                .arg(cell->row);
        if (prompter_.Message(MessageKind::Confirmation, MessageButtons::YesNo, question) !=
            Answer::Yes)
            return;
    }
    sizes_ = SizesInEx(design_, PixelsPerEx());
    accept();
}

void TmakeTable::FormResize() {
    const int width = Button1->width();
    const int left = (buttonPanel_->width() - 2 * width - 20) / 2;
    Button1->move(left, 8);
    Button2->move(left + width + 20, 8);
}

} // namespace orvelt
