#include "MainFormFixture.h"

#include <QLabel>
#include <QScrollBar>
#include <functional>

namespace orvelt::testing {
namespace {

// Colours as a person sees them: which of the seven categories each character shows.
class Highlight : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteBytes(File("prog/KEYWORDS.TXT"), "\\alpha\n\\section\n");
    }
    // 300,000 characters: more than the first screens, which are coloured before it shows.
    std::string OpenLongFile() {
        StartForm();
        std::string text;
        while (text.size() < 300'000)
            text += "\\alpha x $y$ % c\n";
        Open("long.tex", text);
        return text;
    }
};

// The scanner's rules are TokenScannerTest's; here each category reaches the window.
TEST_F(Highlight, ImportColoursEveryToken) {
    StartForm();
    Open("doc.tex", "\\alpha \\beta $x$ [a]{b} % c\nok");
    EXPECT_EQ(Kinds(), "KKKKKKtuuuuutmtmtktkbtbtccc\ntt");
}

TEST_F(Highlight, MarkerJoinedParagraphShowsNoMarkerInSavedBreaksMode) {
    const char* file = "one two %%@\nthree %%@\r\nfour % c %%@\n%ont\n";
    store_.Write("WordWrap", "1");
    StartForm();
    Open("doc.tex", file);
    EXPECT_EQ(Text(), "one two three four % c ont\n");
    EXPECT_EQ(Kinds(), "tttttttttttttttttttccccccc\n");
    CloseActive();
    // In the other modes a file is shown as it is, so that it is saved as it was.
    form_->Options().wordWrap = WrapMode::ScreenOnly;
    Open("doc.tex", file);
    EXPECT_EQ(Text(), "one two %%@\nthree %%@\nfour % c %%@\n%ont\n");
}

// The typing rules are TypingHighlightTest's; here the window applies a restyled token, a
// restyled line and the format of the typed character.
TEST_F(Highlight, TypingColoursTheTokenBeforeTheCaret) {
    struct Row {
        const char* name;
        const char* imported; // nullptr: typed into a new document
        const char* typed;
        const char* kinds;
        QTextCursor::MoveOperation at = QTextCursor::End;
    };
    const Row rows[] = {
        {"nominal: a keyword followed by a blank", nullptr, "\\section ", "KKKKKKKKt"},
        {"nominal: braces, brackets and dollars get their own", nullptr, "{[$", "bkm"},
        {"nominal: percent typed at the start of an imported line", "text \\alpha {x}", "%",
         "cccccccccccccccc", QTextCursor::Start},
    };
    StartForm();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.imported != nullptr)
            Open("doc.tex", row.imported);
        else
            Trigger("FileNewItem");
        Edit()->moveCursor(row.at);
        Type(row.typed);
        EXPECT_EQ(Kinds(), QString(row.kinds));
    }
}

TEST_F(Highlight, RehighlightLineRestylesOnlyTheCaretLine) {
    StartNew();
    Edit()->setPlainText("\\alpha $x$\n\n\\beta"); // all in the new window's text style
    Edit()->SetSelection(3, 3);
    Active()->RehighlightLine();
    EXPECT_EQ(Kinds(), "KKKKKKtmtm\n\nttttt") << "restyled, the last line would be a command";
    EXPECT_EQ(Edit()->GetSelection(), std::make_pair(3, 3));

    Edit()->SetSelection(12, 12); // the empty line: nothing changes, the caret stays
    Active()->RehighlightLine();
    EXPECT_EQ(Kinds(), "KKKKKKtmtm\n\nttttt");
    EXPECT_EQ(Edit()->GetSelection(), std::make_pair(12, 12));
    EXPECT_FALSE(Edit()->isReadOnly());
}

// Ctrl+Z after opening changed only colours and marked the document modified.
TEST_F(Highlight, ColoursAloneAreNeverAnUndoStep) {
    StartNew();
    Type("\\alpha ");
    ASSERT_EQ(Kinds(), "KKKKKKt");
    Edit()->document()->undo();
    EXPECT_EQ(Text(), "\\alpha") << "one undo takes back the typed blank with its restyling";

    Open("plain.tex", "\\alpha one\nsecond line\n");
    Active()->RehighlightLine();
    Active()->FormDeactivate();
    EXPECT_FALSE(Edit()->document()->isUndoAvailable());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(Active()->Modified);
    Type("x");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), "\\alpha one\nsecond line\n");
}

// Pasted text stayed black, and was saved with no font at all (\fs0): it then showed in a
// proportional face for good. Old sidecars with such runs heal.
TEST_F(Highlight, PastedTextIsColouredAtOnceAndSavedWithItsFont) {
    StartNew();
    Paste("$x$ % note");
    EXPECT_EQ(Kinds(), "mtmtcccccc");
    SaveAs("pasted.tex");
    EXPECT_EQ(ReadBytes(File("pasted.tex.orv")).find("\\fs0"), std::string::npos);

    WriteBytes(File("old.tex.orv"), "{\\rtf1 {\\fonttbl{\\f0 ;}}\\f0\\fs0 old text}");
    Open("old.tex", "old text");
    EXPECT_EQ(Kinds(), "tttttttt") << "an empty face reads as text";
}

TEST_F(Highlight, NewWindowsTakeStylesAndBackgroundFromTheOptions) {
    store_.Write("HintergrundFarbe", "255");
    store_.Write("TextFarbe", "65280");
    store_.Write("TextSchriftstil", "U");
    StartNew();
    Type("abc");
    EXPECT_EQ(Edit()->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(Kinds(), "ttt");
    EXPECT_EQ(form_->Options().styles[0].color, 65280u);
    EXPECT_TRUE(Edit()->document()->defaultFont().underline());
}

// Presses Escape the first time the progress panel is painted with a percentage, that is in
// the middle of the import, and remembers what the status bar said then.
class EscapeAtFirstProgress : public QObject {
public:
    EscapeAtFirstProgress(TMainForm& form, QLabel* panel) : form_(form), panel_(panel) {}
    QString during, progress;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == panel_ && event->type() == QEvent::Paint && progress.isEmpty() &&
            panel_->text().endsWith("%  ")) {
            progress = panel_->text();
            during = form_.PanelText(2);
            form_.Escape().NoteEscape();
        }
        return false;
    }

private:
    TMainForm& form_;
    QLabel* panel_;
};

TEST_F(Highlight, ImportShowsProgressAndEscapeAbortsWithoutQuestion) {
    StartForm();
    std::string big;
    while (big.size() < 1'000'000)
        big += "\\alpha some text {with} [brackets] and $math$ % a comment\n";
    auto* panel = form_->findChild<QLabel*>("StatusPanel0");
    EscapeAtFirstProgress escape(*form_, panel);
    panel->installEventFilter(&escape);
    Open("big.tex", big);
    EXPECT_EQ(escape.during, "Importing...press [ESC] to abort");
    EXPECT_TRUE(escape.progress.endsWith("%  ")) << escape.progress.toStdString();
    EXPECT_EQ(form_->ChildCount(), 0) << "an aborted import closes the window";
    EXPECT_EQ(Panel(2), "");

    form_->Escape().NoteEscape();
    Open("small.tex", "\\alpha");
    EXPECT_EQ(form_->ChildCount(), 1) << "an Escape pressed before the import is discarded";
}

TEST_F(Highlight, BigFilesShowAtOnceAndFormatTheRestWhileUsable) {
    const std::string text = OpenLongFile();
    ASSERT_TRUE(Edit()->FormattingPending()) << "the tail is formatted after the window shows";
    EXPECT_EQ(Kinds().left(17), "KKKKKKtttmtmtccc\n") << "the first screens are coloured at once";
    EXPECT_FALSE(Edit()->document()->isUndoAvailable());
    QTRY_VERIFY_WITH_TIMEOUT(!Edit()->FormattingPending(), 20000);
    EXPECT_EQ(Kinds().right(18), "\nKKKKKKtttmtmtccc\n");
    EXPECT_FALSE(Active()->Modified) << "a file that was only opened is not modified";

    // Typing while formatting is still pending finishes it first: no text in a wrong format,
    // and the typed character can be undone.
    CloseActive();
    QApplication::processEvents();
    form_->OpenDocument(File("long.tex"));
    ASSERT_TRUE(Edit()->FormattingPending());
    Edit()->moveCursor(QTextCursor::End);
    Type("$");
    EXPECT_FALSE(Edit()->FormattingPending());
    EXPECT_EQ(Kinds().right(19), "\nKKKKKKtttmtmtccc\nm");
    Edit()->undo();
    EXPECT_EQ(Text().toStdString(), text);
}

// What the text area showed each time it was painted: the last line's kinds.
class TailPaints : public QObject {
public:
    explicit TailPaints(std::function<QString()> tail) : tail_(std::move(tail)) {}
    QStringList seen;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            seen.append(tail_());
        return false;
    }

private:
    std::function<QString()> tail_;
};

// Qt repaints the whole text area for a format change anywhere: the tail's slices, all below
// the screen, repainted it sixty times while a 2 MB file was formatted. A slice that reaches
// the screen is still shown.
TEST_F(Highlight, TheTailIsFormattedWithoutRepaintsUnlessItIsOnScreen) {
    OpenLongFile();
    ASSERT_TRUE(Edit()->FormattingPending());
    TailPaints paints([this] { return Kinds().right(18); });
    Edit()->viewport()->installEventFilter(&paints);
    QTRY_VERIFY_WITH_TIMEOUT(!Edit()->FormattingPending(), 20000);
    EXPECT_LE(paints.seen.size(), 2) << "the window's first paints only";

    CloseActive();
    QApplication::processEvents();
    form_->OpenDocument(File("long.tex"));
    ASSERT_TRUE(Edit()->FormattingPending());
    Edit()->verticalScrollBar()->setValue(Edit()->verticalScrollBar()->maximum());
    paints.seen.clear();
    Edit()->viewport()->installEventFilter(&paints);
    QTRY_VERIFY_WITH_TIMEOUT(!Edit()->FormattingPending(), 20000);
    QApplication::processEvents();
    ASSERT_FALSE(paints.seen.isEmpty());
    EXPECT_EQ(paints.seen.back(), "\nKKKKKKtttmtmtccc\n") << "painted with its colours";
}

} // namespace
} // namespace orvelt::testing
