#include "search/replace.h"

#include "bib/fbibchild.h"
#include "editor/Childwin.h"
#include "editor/files/SurfaceCharacters.h"
#include "platform/HelpViewer.h"
#include "platform/Prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <string>
#include <vector>

namespace orvelt {
namespace {

// The busy cursor for as long as a search lasts; gone again before any question.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// The search text as the surface holds it: a few characters stand in for line separators.
std::u16string SurfaceText(const QString& text) {
    std::u16string surface = text.toStdU16String();
    ToSurfaceCharacters(surface);
    return surface;
}

void UpdateHistoryOf(QComboBox& combo) {
    const QString current = combo.currentText();
    std::vector<std::u16string> history;
    history.reserve(static_cast<std::size_t>(combo.count()));
    for (int i = 0; i < combo.count(); ++i)
        history.push_back(combo.itemText(i).toStdU16String());
    const QSignalBlocker quiet(combo);
    combo.clear();
    for (const std::u16string& item : UpdateHistory(std::move(history), current.toStdU16String()))
        combo.addItem(QString::fromStdU16String(item));
    // Taking the items out replaced the edit text; what was typed stays, its case included.
    combo.setEditText(current);
}

// Where the selected match is on the screen.
QRect SelectionArea(const TMDIChild& source) {
    const TMyRichEdit& edit = *source.MainEdit;
    const QTextCursor selection = edit.textCursor();
    QTextCursor start = selection;
    start.setPosition(selection.selectionStart());
    const QRect area = edit.cursorRect(start).united(edit.cursorRect(selection));
    return {edit.viewport()->mapToGlobal(area.topLeft()), area.size()};
}

TMDIChild* AsSource(ChildWindow* child) {
    return child && child->Kind() == ChildKind::Source ? qobject_cast<TMDIChild*>(child) : nullptr;
}

TBIBChild* AsBibliography(ChildWindow* child) {
    return child && child->Kind() == ChildKind::Bibliography ? qobject_cast<TBIBChild*>(child)
                                                             : nullptr;
}

} // namespace

TReplaceDlg::TReplaceDlg(Services services, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Find(new QComboBox(this)), Replace(new QComboBox(this)),
      CheckCase(new QCheckBox("Case sensitive", this)),
      CheckWords(new QCheckBox("Whole words only", this)),
      Button1(new QPushButton("&Search", this)), Button2(new QPushButton("&Replace", this)),
      Button4(new QPushButton("Replace &all", this)), Button3(new QPushButton("&Close", this)),
      prompter_(services.prompter), help_(services.help),
      activeChild_(std::move(services.activeChild)), progress_(std::move(services.progress)) {
    setObjectName("ReplaceDlg");
    setWindowTitle("Replace");
    setModal(false);
    auto* findLabel = new QLabel("Find:", this);
    auto* replaceLabel = new QLabel("Replace with:", this);
    findLabel->setBuddy(Find);
    replaceLabel->setBuddy(Replace);
    for (QComboBox* combo : {Find, Replace}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // No completion: what was typed is what is searched (a completed "sec" would search
        // "section" from the history).
        combo->setCompleter(nullptr);
        combo->setMinimumContentsLength(28);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    const struct {
        QWidget* widget;
        const char* name;
        int helpTopic;
    } controls[] = {{Find, "Find", 21},           {Replace, "Replace", 22},
                    {CheckCase, "CheckCase", 23}, {CheckWords, "CheckWords", 24},
                    {Button1, "Button1", 25},     {Button2, "Button2", 26},
                    {Button4, "Button4", 27},     {Button3, "Button3", 0}};
    for (const auto& control : controls) {
        control.widget->setObjectName(control.name);
        if (control.helpTopic != 0)
            control.widget->setProperty("helpTopic", control.helpTopic);
    }
    Button1->setDefault(true);
    for (QPushButton* button : {Button2, Button4, Button3})
        button->setAutoDefault(false);

    auto* fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(Find, 0, 1);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(Replace, 1, 1);
    fields->addWidget(CheckCase, 2, 1);
    fields->addWidget(CheckWords, 3, 1);
    fields->setRowStretch(4, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {Button1, Button2, Button4, Button3})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &TReplaceDlg::ReplaceDlgFind);
    connect(Button2, &QPushButton::clicked, this, &TReplaceDlg::ReplaceDlgReplace);
    connect(Button4, &QPushButton::clicked, this, &TReplaceDlg::ReplaceDlgReplaceAll);
    connect(Button3, &QPushButton::clicked, this, &TReplaceDlg::reject);
    connect(Find, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (text.isEmpty() != findTextEmpty_) {
            findTextEmpty_ = text.isEmpty();
            emit FindTextEmptyChanged();
        }
    });
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &TReplaceDlg::ShowHelp);
    FollowActiveWindow(std::nullopt);
}

QString TReplaceDlg::FindText() const {
    return Find->currentText();
}

SearchOptions TReplaceDlg::Options() const {
    return {CheckCase->isChecked(), CheckWords->isChecked()};
}

void TReplaceDlg::UpdateCombos() {
    UpdateHistoryOf(*Find);
    UpdateHistoryOf(*Replace);
}

void TReplaceDlg::FollowActiveWindow(std::optional<ChildKind> kind) {
    activeKind_ = kind;
    Button1->setEnabled(kind == ChildKind::Source || kind == ChildKind::Bibliography);
    EnableReplacing(replacing_);
}

void TReplaceDlg::EnableReplacing(bool on) {
    replacing_ = on;
    // A bibliography's cells are searched only: they are edited in the grid.
    const bool enabled = on && activeKind_ == ChildKind::Source;
    for (QWidget* control : {static_cast<QWidget*>(Replace), static_cast<QWidget*>(Button2),
                             static_cast<QWidget*>(Button4)})
        control->setEnabled(enabled);
}

void TReplaceDlg::StartOfUse() {
    if (TMDIChild* source = AsSource(activeChild_()))
        progress_(source->MainEdit->GetSelection().first, source->MainEdit->TextLength());
    EnableReplacing(false);
}

void TReplaceDlg::Find1Click() {
    ChildWindow* child = activeChild_();
    if (!AsSource(child) && !AsBibliography(child))
        return;
    StartOfUse();
    if (!placed_) {
        placed_ = true;
        adjustSize();
        const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
    Find->setFocus();
    Find->lineEdit()->selectAll();
}

void TReplaceDlg::Findagain1Click() {
    if (!AsSource(activeChild_()) || FindText().isEmpty())
        return;
    StartOfUse();
    ReplaceDlgFind();
}

void TReplaceDlg::ReplaceDlgFind() {
    ChildWindow* child = activeChild_();
    if (TMDIChild* source = AsSource(child))
        SearchSource(*source, false);
    else if (TBIBChild* bibliography = AsBibliography(child))
        SearchBibliography(*bibliography);
    else
        UpdateCombos();
}

void TReplaceDlg::ReplaceDlgReplace() {
    if (TMDIChild* source = AsSource(activeChild_()))
        SearchSource(*source, true);
    else
        UpdateCombos();
}

void TReplaceDlg::ReplaceDlgReplaceAll() {
    if (TMDIChild* source = AsSource(activeChild_()))
        ReplaceAllSource(*source);
    else
        UpdateCombos();
}

void TReplaceDlg::SearchSource(TMDIChild& source, bool replaceFirst) {
    for (;;) {
        UpdateCombos();
        const TextSearch search(SurfaceText(FindText()), Options());
        if (search.Empty())
            return; // nothing to look for, nothing to ask
        bool found = false;
        {
            BusyCursor busy;
            // Only a match is replaced: a selection made for another purpose stays as it is.
            if (replaceFirst && source.SelectionIsMatch(search))
                source.ReplaceSelection(Replace->currentText());
            found = source.FindNext(search);
        }
        if (found) {
            EnableReplacing(true);
            KeepClearOf(SelectionArea(source));
            return;
        }
        if (!AskContinueAtBeginning()) {
            reject();
            return;
        }
        source.MainEdit->SetSelection(0, 0);
        progress_(0, source.MainEdit->TextLength());
    }
}

void TReplaceDlg::ReplaceAllSource(TMDIChild& source) {
    UpdateCombos();
    const TextSearch search(SurfaceText(FindText()), Options());
    if (search.Empty())
        return;
    TMDIChild::ReplaceAllPass first;
    {
        BusyCursor busy;
        first = source.ReplaceAll(search, Replace->currentText());
    }
    if (first.stopped || !AskContinueAtBeginning()) {
        if (!first.stopped)
            reject();
        return;
    }
    progress_(0, source.MainEdit->TextLength());
    {
        BusyCursor busy;
        // Up to where the first pass began: each occurrence is replaced once, and one Undo
        // takes both passes back.
        if (source.ReplaceAllBefore(search, Replace->currentText(), first.began, first.replaced > 0)
                .stopped)
            return;
    }
    reject();
}

void TReplaceDlg::SearchBibliography(TBIBChild& bibliography) {
    bool fromStart = false;
    for (;;) {
        UpdateCombos();
        const TextSearch search(FindText().toStdU16String(), Options());
        if (search.Empty())
            return;
        bool found = false;
        {
            BusyCursor busy;
            found = bibliography.FindNext(search, fromStart);
        }
        if (found) {
            if (const QWidget* cell = bibliography.focusWidget())
                KeepClearOf({cell->mapToGlobal(QPoint(0, 0)), cell->size()});
            return;
        }
        if (!AskContinueAtBeginning()) {
            reject();
            return;
        }
        fromStart = true;
    }
}

bool TReplaceDlg::AskContinueAtBeginning() {
    return prompter_.Message(MessageKind::Confirmation, MessageButtons::YesNo,
                             "End of file reached. Continue at the beginning?") == Answer::Yes;
}

void TReplaceDlg::KeepClearOf(const QRect& match) {
    QRect frame = frameGeometry();
    if (!isVisible() || !frame.intersects(match))
        return;
    const QRect screen = this->screen()->availableGeometry();
    constexpr int kGap = 8;
    if (match.bottom() + kGap + frame.height() <= screen.bottom())
        frame.moveTop(match.bottom() + kGap);
    else
        frame.moveBottom(match.top() - kGap);
    move(frame.topLeft());
}

void TReplaceDlg::reject() {
    hide();
    emit Closed();
}

void TReplaceDlg::ShowHelp() {
    for (QWidget* w = QApplication::focusWidget(); w && w != this; w = w->parentWidget()) {
        if (const int topic = w->property("helpTopic").toInt(); topic != 0) {
            help_.ShowTopic(topic);
            return;
        }
    }
}

} // namespace orvelt
