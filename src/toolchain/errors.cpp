#include "toolchain/errors.h"

#include "core/CodePage.h"

#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStringListModel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orvelt {

namespace {

QString Decoded(const std::string& bytes) {
    const std::u16string text = DecodeText(bytes, DetectEncoding(bytes, false));
    return QString::fromStdU16String(text).left(TErrorView::kShownLength);
}

QListView* List(const char* name, QWidget* parent) {
    auto* list = new QListView(parent);
    list->setObjectName(name);
    list->setUniformItemSizes(true); // laid out at once, however many entries
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setToolTip("Doubleclick on an item to find it in the editor.");
    list->setStatusTip("Doubleclick on an item to find it in the editor.");
    return list;
}

QLabel* Centred(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TErrorView::TErrorView(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName("ErrorView");
    setWindowTitle("Errors & Warnings");
    Errors = List("Errors", this);
    Warnings = List("Warnings", this);
    errorModel_ = new QStringListModel(this);
    warningModel_ = new QStringListModel(this);
    Errors->setModel(errorModel_);
    Warnings->setModel(warningModel_);
    Label2 = Centred("No errors.", this);
    Label3 = Centred("No warnings.", this);
    Label1 = Centred("Remember that if you resize the edit window the linebreaks might change and "
                     "you have to recompile your file in order to get the correct linenumbers "
                     "here.",
                     this);
    Label1->setWordWrap(true);
    Pages = new QTabWidget(this);
    errorPage_ = Page(Errors, Label2);
    warningPage_ = Page(Warnings, Label3);
    Pages->addTab(errorPage_, "Errors");
    Pages->addTab(warningPage_, "Warnings");
    Pages->addTab(Label1, "Hint");
    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    resize(520, 300);
    connect(Button1, &QPushButton::clicked, this, &QWidget::hide);
    // A double-click or Enter on an entry.
    connect(Errors, &QListView::activated, this,
            [this](const QModelIndex& index) { emit Jump(ErrorLines.value(index.row())); });
    connect(Warnings, &QListView::activated, this,
            [this](const QModelIndex& index) { emit Jump(WarnLines.value(index.row())); });
}

QStackedWidget* TErrorView::Page(QListView* list, QLabel* label) {
    auto* page = new QStackedWidget(this);
    page->addWidget(list);
    page->addWidget(label);
    return page;
}

void TErrorView::Fill(const LogFindings& findings) {
    QStringList errors;
    QStringList warnings;
    ErrorLines.clear();
    WarnLines.clear();
    errors.reserve(static_cast<qsizetype>(findings.errors.size()));
    warnings.reserve(static_cast<qsizetype>(findings.warnings.size()));
    for (const LogEntry& entry : findings.errors) {
        errors << Decoded(entry.text);
        ErrorLines << QString::fromLatin1(entry.digits);
    }
    for (const LogEntry& entry : findings.warnings) {
        warnings << Decoded(entry.text);
        WarnLines << QString::fromLatin1(entry.digits);
    }
    errorModel_->setStringList(errors);
    warningModel_->setStringList(warnings);
}

void TErrorView::FormShow() {
    // Decided at every showing: "No errors." never stands over entries.
    errorPage_->setCurrentWidget(errorModel_->rowCount() > 0 ? static_cast<QWidget*>(Errors)
                                                             : Label2);
    warningPage_->setCurrentWidget(warningModel_->rowCount() > 0 ? static_cast<QWidget*>(Warnings)
                                                                 : Label3);
    if (!placed_) {
        placed_ = true;
        const QRect area =
            (parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
                ->availableGeometry();
        move(area.center() - rect().center());
    }
    show();
    raise();
}

} // namespace orvelt
