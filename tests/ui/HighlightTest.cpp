#include "MainFormFixture.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

namespace orvelt::testing {
namespace {

// Colours as a person sees them: which of the seven categories each character shows.
class Highlight : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteBytes(File("prog/KEYWORDS.TXT"), "\\alpha\n\\section\n");
    }

    // The categories of the characters, one letter each: t(ext) c(omment) K(eyword command)
    // u(ser command) b(race) k (bracket) m(ath); '?' for a format of none of them.
    QString Kinds() const {
        static const char kLetters[] = {'t', 'c', 'K', 'u', 'b', 'k', 'm'};
        QString out;
        QTextDocument* doc = Active()->MainEdit->document();
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                QTextFragment f = it.fragment();
                HighlightStyle style = StyleOfFormat(f.charFormat());
                char letter = '?';
                for (int k = 0; k < kStyleKindCount; ++k)
                    if (form_->Options().styles[static_cast<std::size_t>(k)] == style)
                        letter = kLetters[k];
                out += QString(f.length(), QChar(letter));
            }
            if (b.next().isValid())
                out += '\n';
        }
        return out;
    }

    void Import(const std::string& text) {
        WriteBytes(File("doc.tex"), text);
        form_->OpenDocument(File("doc.tex"));
        ASSERT_NE(Active(), nullptr);
    }
};

TEST_F(Highlight, ImportColoursEveryToken) {
    struct Row {
        const char* name;
        std::string text;
        const char* kinds;
    };
    const Row rows[] = {
        {"nominal: keyword and user command", "\\alpha \\beta", "KKKKKKtuuuuu"},
        {"nominal: only the dollar signs are mathematics", "$x^2$", "mtttm"},
        {"nominal: escaped percent, then a comment", "100\\% sure % note", "tttuuttttttcccccc"},
        {"nominal: two backslashes are one command, the letters text", "\\\\alpha", "uuttttt"},
        {"nominal: braces and brackets", "\\section[a]{b}", "KKKKKKKKktkbtb"},
        {"nominal: a comment ends at the line end", "% x\nok", "ccc\ntt"},
    };
    StartForm();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Import(row.text);
        EXPECT_EQ(Kinds(), QString(row.kinds));
        // Every import used to be marked modified, and Return on the close question rewrote
        // the file (a PDF opened by mistake got hundreds of markers written into it).
        EXPECT_FALSE(Active()->Modified) << "a file that was only opened is not modified";
        Active()->parentWidget()->close();
    }
}

TEST_F(Highlight, MarkerJoinedParagraphShowsNoMarkerInSavedBreaksMode) {
    const char* file = "one two %%@\nthree %%@\r\nfour % c %%@\n%ont\n";
    store_.Write("WordWrap", "1");
    StartForm();
    Import(file);
    EXPECT_EQ(Text(), "one two three four % c ont\n");
    EXPECT_EQ(Kinds(), "tttttttttttttttttttccccccc\n");
    Active()->parentWidget()->close();
    // In the other modes a file is shown as it is, so that it is saved as it was.
    form_->Options().wordWrap = WrapMode::ScreenOnly;
    Import(file);
    EXPECT_EQ(Text(), "one two %%@\nthree %%@\nfour % c %%@\n%ont\n");
}

TEST_F(Highlight, TypingColoursTheTokenBeforeTheCaret) {
    struct Row {
        const char* name;
        const char* typed;
        const char* kinds;
    };
    const Row rows[] = {
        {"nominal: a keyword followed by a blank", "\\section ", "KKKKKKKKt"},
        {"nominal: a prefix of a keyword is a user command", "\\sec ", "uuuut"},
        // Letters take the text format while typing; leaving the line restyles it.
        {"nominal: percent at the line start makes a comment", "%abc", "cttt"},
        {"nominal: percent after a backslash is one command", "a\\%", "tuu"},
        {"nominal: braces, brackets and dollars get their own", "{[$", "bkm"},
    };
    StartForm();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Trigger("FileNewItem");
        Type(row.typed);
        EXPECT_EQ(Kinds(), QString(row.kinds));
    }
}

TEST_F(Highlight, BlankAfterImportedDoubleBackslashJoinsTheCommand) {
    StartForm();
    Import("\\\\alpha");
    Active()->MainEdit->moveCursor(QTextCursor::End);
    Type(" ");
    EXPECT_EQ(Kinds(), "uuuuuuut");
}

TEST_F(Highlight, PercentTypedAtLineStartTurnsTheLineIntoAComment) {
    StartForm();
    Import("text \\alpha {x}");
    Active()->MainEdit->moveCursor(QTextCursor::Start);
    Type("%");
    EXPECT_EQ(Kinds(), "cccccccccccccccc");
}

TEST_F(Highlight, RehighlightLineRestylesOnlyTheCaretLine) {
    StartForm();
    Trigger("FileNewItem");
    TMyRichEdit* edit = Active()->MainEdit;
    edit->setPlainText("\\alpha $x$\n\n\\beta");
    edit->SetSelection(3, 3);
    Active()->RehighlightLine();
    EXPECT_EQ(Kinds(), "KKKKKKtmtm\n\n?????");
    EXPECT_EQ(edit->GetSelection(), std::make_pair(3, 3));

    edit->SetSelection(12, 12); // the empty line: nothing changes, the caret stays
    Active()->RehighlightLine();
    EXPECT_EQ(Kinds(), "KKKKKKtmtm\n\n?????");
    EXPECT_EQ(edit->GetSelection(), std::make_pair(12, 12));
    EXPECT_FALSE(edit->isReadOnly());
}

TEST_F(Highlight, RestylingIsNoUndoStepOfItsOwnAndLeavesAnUnchangedFileClean) {
    StartForm();
    Trigger("FileNewItem");
    QTextDocument* doc = Active()->MainEdit->document();
    Type("\\alpha");
    Type(" ");
    ASSERT_EQ(Kinds(), "KKKKKKt");
    doc->undo();
    EXPECT_EQ(Text(), "\\alpha") << "one undo takes back the typed blank with its restyling";

    Import("\\alpha");
    Active()->SetModified(false);
    Active()->RehighlightLine();
    EXPECT_FALSE(Active()->Modified) << "re-styling is not an edit";
}

TEST_F(Highlight, NewWindowsTakeStylesAndBackgroundFromTheOptions) {
    store_.Write("HintergrundFarbe", "255");
    store_.Write("TextFarbe", "65280");
    store_.Write("TextSchriftstil", "U");
    StartForm();
    Trigger("FileNewItem");
    Type("abc");
    EXPECT_EQ(Active()->MainEdit->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(Kinds(), "ttt");
    EXPECT_EQ(form_->Options().styles[0].color, 65280u);
    EXPECT_TRUE(Active()->MainEdit->document()->defaultFont().underline());
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
    WriteBytes(File("big.tex"), big);
    auto* panel = form_->findChild<QLabel*>("StatusPanel0");
    EscapeAtFirstProgress escape(*form_, panel);
    panel->installEventFilter(&escape);
    form_->OpenDocument(File("big.tex"));
    EXPECT_EQ(escape.during, "Importing...press [ESC] to abort");
    EXPECT_TRUE(escape.progress.endsWith("%  ")) << escape.progress.toStdString();
    EXPECT_EQ(form_->ChildCount(), 0) << "an aborted import closes the window";
    EXPECT_EQ(Panel(2), "");
}

TEST_F(Highlight, BigFilesShowAtOnceAndFormatTheRestWhileUsable) {
    StartForm();
    std::string text;
    while (text.size() < 300'000)
        text += "\\alpha x $y$ % c\n";
    WriteBytes(File("long.tex"), text);
    form_->OpenDocument(File("long.tex"));
    TMyRichEdit* edit = Active()->MainEdit;
    ASSERT_TRUE(edit->FormattingPending()) << "the tail is formatted after the window shows";
    EXPECT_EQ(Kinds().left(17), "KKKKKKtttmtmtccc\n") << "the first screens are coloured at once";
    EXPECT_FALSE(edit->document()->isUndoAvailable());
    QTRY_VERIFY_WITH_TIMEOUT(!edit->FormattingPending(), 20000);
    EXPECT_EQ(Kinds().right(18), "\nKKKKKKtttmtmtccc\n");
    EXPECT_FALSE(Active()->Modified) << "a file that was only opened is not modified";

    // Typing while formatting is still pending finishes it first: no text in a wrong format,
    // and the typed character can be undone.
    form_->OpenDocument(File("long.tex"));
    edit = Active()->MainEdit;
    ASSERT_TRUE(edit->FormattingPending());
    edit->moveCursor(QTextCursor::End);
    Type("$");
    EXPECT_FALSE(edit->FormattingPending());
    EXPECT_EQ(Kinds().right(19), "\nKKKKKKtttmtmtccc\nm");
    edit->undo();
    EXPECT_EQ(Text().toStdString(), text);
}

TEST_F(Highlight, EscapePressedBeforeTheImportIsDiscarded) {
    StartForm();
    form_->Escape().NoteEscape();
    Import("\\alpha");
    EXPECT_EQ(form_->ChildCount(), 1);
}

} // namespace
} // namespace orvelt::testing
