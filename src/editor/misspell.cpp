#include "editor/misspell.h"

#include "editor/Childwin.h"
#include "editor/spell/WordReader.h"
#include "options/LearnedWords.h"
#include "options/OptionHolder.h"
#include "platform/BusyCursor.h"
#include "platform/Prompter.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QValidator>

namespace orvelt {

namespace {

// The replacement takes only characters the checked document can store.
class StorableText : public QValidator {
public:
    StorableText(std::function<const TMyRichEdit*()> surface, QObject* parent)
        : QValidator(parent), surface_(std::move(surface)) {}
    State validate(QString& input, int&) const override {
        const TMyRichEdit* edit = surface_();
        return !edit || edit->Storable(input) == input ? Acceptable : Invalid;
    }

private:
    std::function<const TMyRichEdit*()> surface_;
};

// The surface's text with every paragraph break as CR LF, so that an index into it is a
// document position.
std::u16string DocumentText(const TMyRichEdit& edit) {
    const QString raw = edit.RawText();
    std::u16string text;
    text.reserve(static_cast<std::size_t>(raw.size()) +
                 static_cast<std::size_t>(edit.blockCount()));
    for (QChar c : raw) {
        if (c == QChar::ParagraphSeparator) {
            text += u'\r';
            text += u'\n';
        } else {
            text += c.unicode();
        }
    }
    return text;
}

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Only the button made the default one answers Enter, never the one that has the focus.
    button->setAutoDefault(false);
    return button;
}

} // namespace

Tmisspelled::Tmisspelled(Services services, QWidget* parent)
    : QDialog(parent), options_(services.options), prompter_(services.prompter),
      progress_(std::move(services.progress)), clearProgress_(std::move(services.clearProgress)) {
    setObjectName("misspelled");
    setWindowTitle("Misspelled word");
    setModal(false);
    Label1 = new QLabel("Not found in dictionary:", this);
    Label1->setObjectName("Label1");
    Label2 = new QLabel("Replace with:", this);
    Label2->setObjectName("Label2");
    EditFind = new QLineEdit(this);
    EditFind->setObjectName("EditFind");
    EditFind->setEnabled(false);
    EditReplace = new QLineEdit(this);
    EditReplace->setObjectName("EditReplace");
    EditReplace->setValidator(new StorableText(
        [this]() -> const TMyRichEdit* { return child_ ? child_->MainEdit : nullptr; }, this));
    BtnIgnore = Button("BtnIgnore", "&Ignore", this);
    BtnIgnoreAll = Button("BtnIgnoreAll", "Ignore A&ll", this);
    BtnReplace = Button("BtnReplace", "&Replace", this);
    BtnReplaceAll = Button("BtnReplaceAll", "Replace &All", this);
    BtnAddI = Button("BtnAddI", "Add", this);
    BtnAddI->setToolTip("Add word to dictionary.");
    BtnAddI->setStatusTip("Add word to dictionary.");
    BtnCancel = Button("BtnCancel", "&Cancel", this);

    auto* grid = new QGridLayout(this);
    auto* fields = new QVBoxLayout;
    fields->addWidget(Label1);
    fields->addWidget(EditFind);
    fields->addSpacing(6);
    fields->addWidget(Label2);
    fields->addWidget(EditReplace);
    fields->addStretch(1);
    grid->addLayout(fields, 0, 0, 3, 1);
    grid->addWidget(BtnIgnore, 0, 1);
    grid->addWidget(BtnIgnoreAll, 0, 2);
    grid->addWidget(BtnReplace, 1, 1);
    grid->addWidget(BtnReplaceAll, 1, 2);
    grid->addWidget(BtnAddI, 2, 1);
    grid->addWidget(BtnCancel, 2, 2);
    grid->setColumnMinimumWidth(0, 200);

    for (QPushButton* button : {BtnIgnore, BtnIgnoreAll, BtnReplace, BtnReplaceAll})
        connect(button, &QPushButton::clicked, this, [this, button] { misSpellClick(button); });
    connect(BtnAddI, &QPushButton::clicked, this, &Tmisspelled::BtnAddIClick);
    connect(BtnCancel, &QPushButton::clicked, this, &Tmisspelled::BtnCancelClick);
    connect(EditReplace, &QLineEdit::textEdited, this, &Tmisspelled::EditReplaceKeyPress);
    EnableButtons(false);
}

void Tmisspelled::Start(TMDIChild& child) {
    if (Checking())
        End();
    const QString list = QString::fromStdString(options_.Values().dictionary);
    if (list.isEmpty())
        return;
    if (!options_.DictionaryProblem().isEmpty()) {
        prompter_.Message(MessageKind::Warning, MessageButtons::Ok,
                          QStringLiteral("The dictionary %1 cannot be read: %2.")
                              .arg(list, options_.DictionaryProblem()));
        return;
    }
    child_ = &child;
    TMyRichEdit& edit = *child.MainEdit;
    document_ = edit.document();
    closedConnection_ = connect(&child, &ChildWindow::Closed, this, [this] { End(); });
    lists_.Clear();
    const std::u16string text = DocumentText(edit);
    const std::size_t caret =
        static_cast<std::size_t>(edit.DocPos(edit.textCursor().selectionStart()));
    read_ = QTextCursor(document_);
    read_.setPosition(edit.QtPos(static_cast<int>(CheckStart(text, caret))));
    word_ = QTextCursor();
    Continue();
}

bool Tmisspelled::DocumentHeld() const {
    return child_ && document_ && child_->MainEdit->document() == document_ && !read_.isNull();
}

void Tmisspelled::Continue() {
    if (!DocumentHeld()) {
        End();
        return;
    }
    TMyRichEdit& edit = *child_->MainEdit;
    ScanStop stop;
    {
        BusyCursor hourglass;
        const std::u16string text = DocumentText(edit);
        const int total = static_cast<int>(text.size());
        const auto from = static_cast<std::size_t>(edit.DocPos(read_.position()));
        progress_(static_cast<int>(from), total);
        stop = ScanForMisspelling(text, from, options_.Words(), lists_,
                                  [&](std::size_t at) { progress_(static_cast<int>(at), total); });
        // The cursors are placed before the pairs go in, and the document moves them.
        if (stop.found) {
            word_ = QTextCursor(document_);
            word_.setPosition(edit.QtPos(static_cast<int>(stop.start)));
            word_.setPosition(edit.QtPos(static_cast<int>(stop.end)), QTextCursor::KeepAnchor);
            shownWord_ = word_.selectedText();
        }
        read_.setPosition(edit.QtPos(static_cast<int>(stop.next)));
        if (!stop.replacements.empty()) {
            // From the back, so that the positions before each one still hold; one undo step.
            QTextCursor at(document_);
            at.beginEditBlock();
            for (auto it = stop.replacements.rbegin(); it != stop.replacements.rend(); ++it) {
                at.setPosition(edit.QtPos(static_cast<int>(it->start)));
                at.setPosition(edit.QtPos(static_cast<int>(it->end)), QTextCursor::KeepAnchor);
                edit.Insert(at, QString::fromStdU16String(std::u16string(it->by)), at.charFormat());
            }
            at.endEditBlock();
        }
    }
    if (stop.found)
        ShowWord();
    else
        Complete();
}

void Tmisspelled::ShowWord() {
    EditFind->setText(shownWord_);
    EditReplace->setText(shownWord_);
    EditReplace->selectAll();
    EnableButtons(true);
    BtnReplace->setDefault(false);
    BtnIgnore->setDefault(true);
    // The word is shown selected in its window, which comes to the front.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(child_->parentWidget()))
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
    child_->MainEdit->setTextCursor(word_);
    child_->MainEdit->ensureCursorVisible();
    if (!isVisible()) {
        adjustSize();
        if (const QScreen* screen = (parentWidget() ? parentWidget()->screen() : this->screen()))
            move(screen->availableGeometry().center() - rect().center());
        show();
    }
    KeepClearOfWord();
    raise();
    activateWindow();
    EditReplace->setFocus();
}

void Tmisspelled::KeepClearOfWord() {
    const TMyRichEdit& edit = *child_->MainEdit;
    QTextCursor start = word_;
    start.setPosition(word_.selectionStart());
    QRect word = edit.cursorRect(start).united(edit.cursorRect(word_));
    word.moveTopLeft(edit.viewport()->mapToGlobal(word.topLeft()));
    QRect frame = frameGeometry();
    if (!frame.intersects(word))
        return;
    // Below the word, or above it where the screen has no room below.
    const QRect screen = this->screen()->availableGeometry();
    constexpr int kGap = 8;
    if (word.bottom() + kGap + frame.height() <= screen.bottom())
        frame.moveTop(word.bottom() + kGap);
    else
        frame.moveBottom(word.top() - kGap);
    move(frame.topLeft());
}

void Tmisspelled::misSpellClick(QPushButton* sender) {
    if (!Checking())
        return;
    EnableButtons(false);
    const QString replacement = EditReplace->text();
    if (sender == BtnIgnoreAll)
        lists_.Ignore(shownWord_.toStdU16String());
    if (sender == BtnReplaceAll)
        lists_.ReplaceAlways(shownWord_.toStdU16String(), replacement.toStdU16String());
    if ((sender == BtnReplace || sender == BtnReplaceAll) && DocumentHeld()) {
        TMyRichEdit& edit = *child_->MainEdit;
        const std::u16string text = DocumentText(edit);
        const auto start = static_cast<std::size_t>(edit.DocPos(word_.selectionStart()));
        const WordRead there = ReadWord(text, start);
        // Only the word as it was shown is replaced: edits made meanwhile may have changed it,
        // or moved it, which the cursor follows.
        const bool holds = word_.hasSelection() && word_.selectedText() == shownWord_ &&
                           there.start == start &&
                           there.end == static_cast<std::size_t>(edit.DocPos(word_.selectionEnd()));
        if (holds) {
            const int from = word_.selectionStart();
            word_.beginEditBlock(); // removing the word and typing its replacement are one undo
            edit.Insert(word_, replacement, word_.charFormat());
            word_.endEditBlock();
            edit.setTextCursor(word_);
            child_->RehighlightLine();
            // The replacement is looked up next.
            read_.setPosition(from);
        } else {
            // Whatever stands there now is looked up, from the start of its word.
            const std::size_t at = start > 0 ? CheckStart(text, start - 1) : 0;
            read_.setPosition(edit.QtPos(static_cast<int>(at)));
        }
    }
    Continue();
}

void Tmisspelled::BtnAddIClick() {
    if (!Checking())
        return;
    options_.Words().Add(shownWord_.toStdU16String());
    misSpellClick(BtnIgnore);
}

void Tmisspelled::BtnCancelClick() {
    End();
}

void Tmisspelled::EditReplaceKeyPress() {
    BtnAddI->setEnabled(false);
    BtnIgnore->setDefault(false);
    BtnReplace->setDefault(true);
}

void Tmisspelled::reject() {
    BtnCancelClick();
}

void Tmisspelled::closeEvent(QCloseEvent* event) {
    BtnCancelClick();
    event->accept();
}

void Tmisspelled::End() {
    disconnect(closedConnection_);
    child_.clear();
    document_.clear();
    read_ = QTextCursor();
    word_ = QTextCursor();
    lists_.Clear();
    EnableButtons(false);
    hide();
    clearProgress_();
}

void Tmisspelled::Complete() {
    End();
    StoreLearnedWords(options_, prompter_, LearnedWordsMoment::CheckCompleted);
    prompter_.Message(MessageKind::Information, MessageButtons::Ok, "Spellchecking completed.");
}

void Tmisspelled::EnableButtons(bool on) {
    for (QPushButton* button :
         {BtnIgnore, BtnIgnoreAll, BtnReplace, BtnReplaceAll, BtnAddI, BtnCancel})
        button->setEnabled(on);
}

} // namespace orvelt
