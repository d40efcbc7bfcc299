#include "insert/font.h"

#include "insert/palettes/PaletteTables.h"
#include "widgets/Numedit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>
#include <span>

namespace orvelt {

namespace {

constexpr int kRowHeight = 25;
constexpr int kButtonWidth = 104;
constexpr int kListWidth = 18; // only its arrow shows beside the row

QFont::StyleHint HintOf(FaceKind kind) {
    switch (kind) {
    case FaceKind::Serif:
        return QFont::Serif;
    case FaceKind::SansSerif:
        return QFont::SansSerif;
    case FaceKind::Monospace:
        return QFont::TypeWriter;
    }
    return QFont::AnyStyle;
}

} // namespace

Tfonts::Tfonts(QWidget* parent)
    : TPaletteWindow(QStringLiteral("Font"), false, parent), BtnFont(new QPushButton(Panel2)),
      SpinFont(new TUpDown(Panel2)), ListFont(new QComboBox(Panel2)),
      BtnSize(new QPushButton(Panel2)), SpinSize(new TUpDown(Panel2)),
      ListSize(new QComboBox(Panel2)) {
    setObjectName("fonts");
    const struct {
        QPushButton* button;
        const char* buttonName;
        TUpDown* spin;
        const char* spinName;
        QComboBox* list;
        const char* listName;
        std::span<const FontChoice> choices;
    } rows[] = {{BtnFont, "BtnFont", SpinFont, "SpinFont", ListFont, "ListFont", FontChoices()},
                {BtnSize, "BtnSize", SpinSize, "SpinSize", ListSize, "ListSize", SizeChoices()}};
    int top = kTitleHeight + 4;
    for (const auto& row : rows) {
        row.button->setObjectName(row.buttonName);
        row.button->setFocusPolicy(Qt::NoFocus);
        row.button->setGeometry(4, top, kButtonWidth, kRowHeight);
        row.spin->setObjectName(row.spinName);
        row.spin->move(4 + kButtonWidth + 2, top + (kRowHeight - row.spin->height()) / 2);
        row.list->setObjectName(row.listName);
        row.list->setFocusPolicy(Qt::NoFocus);
        row.list->setGeometry(row.spin->geometry().right() + 3, top, kListWidth, kRowHeight);
        for (const FontChoice& choice : row.choices)
            row.list->addItem(QString::fromUtf8(choice.listEntry));
        row.list->view()->setMinimumWidth(row.list->view()->sizeHintForColumn(0) + 24);
        connect(row.button, &QPushButton::clicked, this,
                [this, button = row.button] { SpeedButton1Click(button); });
        top += kRowHeight + 4;
    }
    connect(ListFont, &QComboBox::activated, this, &Tfonts::ListFontChange);
    connect(ListSize, &QComboBox::activated, this, &Tfonts::ListSizeChange);
    connect(SpinFont, &TUpDown::Click, this, &Tfonts::SpinFontClick);
    connect(SpinSize, &TUpDown::Click, this, &Tfonts::SpinSizeClick);
    setFixedWidth(ListSize->geometry().right() + 6);
    setFixedHeight(FullHeight());
    SetFont(kRomanChoice);
    SetSize(kNormalsizeChoice);
}

void Tfonts::SetFont(int choice) {
    font_ = choice;
    const FontChoice& row = FontChoices()[static_cast<std::size_t>(choice - 1)];
    BtnFont->setText(QString::fromUtf8(row.caption));
    BtnFont->setToolTip(QString::fromUtf8(row.command));
    BtnFont->setStatusTip(BtnFont->toolTip());
    // A preview of the face: fontconfig picks an installed face of the kind for the name.
    QFont look(QString::fromUtf8(row.face), row.points);
    look.setStyleHint(HintOf(row.kind));
    look.setBold(row.bold);
    look.setItalic(row.italic);
    BtnFont->setFont(look);
    ListFont->setCurrentIndex(choice - 1);
}

void Tfonts::SetSize(int choice) {
    size_ = choice;
    const FontChoice& row = SizeChoices()[static_cast<std::size_t>(choice - 1)];
    BtnSize->setText(QString::fromUtf8(row.caption));
    BtnSize->setToolTip(QString::fromUtf8(row.command));
    BtnSize->setStatusTip(BtnSize->toolTip());
    QFont look = font();
    look.setPointSize(choice + 4);
    BtnSize->setFont(look);
    ListSize->setCurrentIndex(choice - 1);
}

void Tfonts::ListFontChange() {
    SetFont(ListFont->currentIndex() + 1);
}

void Tfonts::ListSizeChange() {
    SetSize(ListSize->currentIndex() + 1);
}

void Tfonts::SpinFontClick(bool upperArrow) {
    SetFont(StepChoice(font_, upperArrow, static_cast<int>(FontChoices().size())));
}

void Tfonts::SpinSizeClick(bool upperArrow) {
    SetSize(StepChoice(size_, upperArrow, static_cast<int>(SizeChoices().size())));
}

int Tfonts::FullHeight() const {
    const QRect size = BtnSize->geometry();
    return size.top() + size.height() + size.height() / 2;
}

void Tfonts::FormShow() {
    SetFont(kRomanChoice);
    SetSize(kNormalsizeChoice);
}

} // namespace orvelt
