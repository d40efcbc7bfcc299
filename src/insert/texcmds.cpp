#include "insert/texcmds.h"

#include "insert/palettes/CommandSearch.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringListModel>

namespace orvelt {

namespace {

constexpr int kWidth = 180;
constexpr int kListHeight = 160;

} // namespace

TtexCmd::TtexCmd(const std::vector<std::string>& keywords, QWidget* parent)
    : TPaletteWindow(QStringLiteral("TeX-commands"), true, parent), Edit1(new QLineEdit(Panel2)),
      ListBox1(new QListView(Panel2)), Button1(new QPushButton(QStringLiteral("Insert"), Panel2)),
      model_(new QStringListModel(this)), entries_(SortedCommands(keywords)) {
    setObjectName("texCmd");
    setFixedWidth(kWidth);
    Edit1->setObjectName("Edit1");
    Edit1->setToolTip("Does an incremental search.");
    Edit1->setStatusTip(Edit1->toolTip());
    Edit1->setGeometry(4, kTitleHeight + 4, kWidth - 8, Edit1->sizeHint().height());
    Edit1->installEventFilter(this);
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(entries_.size()));
    for (const std::string& entry : entries_)
        shown.append(QString::fromUtf8(entry));
    model_->setStringList(shown);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setModel(model_);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListBox1->setFocusPolicy(Qt::NoFocus); // typing stays in the search box
    ListBox1->setGeometry(4, Edit1->geometry().bottom() + 3, kWidth - 8, kListHeight);
    Button1->setObjectName("Button1");
    Button1->setToolTip("Insert current command.");
    Button1->setStatusTip(Button1->toolTip());
    Button1->setDefault(true);
    Button1->setFocusPolicy(Qt::NoFocus);
    Button1->resize(80, Button1->sizeHint().height());
    // In the middle of the band of two button heights that the full height gives it.
    Button1->move((kWidth - Button1->width()) / 2,
                  ListBox1->geometry().bottom() + 1 + Button1->height() / 2);
    connect(Button1, &QPushButton::clicked, this, &TtexCmd::Button1Click);
    connect(ListBox1, &QListView::doubleClicked, this, &TtexCmd::ListBox1DblClick);
    connect(Edit1, &QLineEdit::returnPressed, this, &TtexCmd::Button1Click);
    connect(Edit1, &QLineEdit::textChanged, this, &TtexCmd::SearchTextChanged);
    setFixedHeight(FullHeight());
}

void TtexCmd::Button1Click() {
    const QModelIndex current = ListBox1->currentIndex();
    if (!current.isValid() || !ListBox1->selectionModel()->isSelected(current))
        return; // an empty list, or nothing chosen: nothing to insert
    InsertAndClose(current.data().toString());
}

int TtexCmd::FullHeight() const {
    return qRound(kTitleHeight * 2.5) + Edit1->height() + ListBox1->height() +
           2 * Button1->height();
}

void TtexCmd::FormShow() {
    {
        const QSignalBlocker quiet(Edit1);
        Edit1->clear();
    }
    searched_.clear();
    match_ = 0;
    if (!entries_.empty())
        Select(0);
    activateWindow();
    Edit1->setFocus();
}

bool TtexCmd::eventFilter(QObject* watched, QEvent* event) {
    // Left is swallowed: the caret stays at the end, where typing narrows the search.
    if (watched == Edit1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Left)
        return true;
    return TPaletteWindow::eventFilter(watched, event);
}

void TtexCmd::SearchTextChanged(const QString& text) {
    const std::string now = text.toStdString();
    if (const auto found = FollowSearchText(entries_, searched_, now, match_))
        Select(*found);
    searched_ = now;
}

void TtexCmd::Select(std::size_t entry) {
    match_ = entry;
    const QModelIndex index = model_->index(static_cast<int>(entry));
    ListBox1->setCurrentIndex(index);
    ListBox1->scrollTo(index);
}

} // namespace orvelt
