#include "MainFormFixture.h"

#include <QLabel>

namespace orvelt::testing {
namespace {

class Reformat : public MainFormFixture {
protected:
    void Select(int from, int to) {
        QTextCursor cursor = Edit()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        Edit()->setTextCursor(cursor);
    }
    void SelectAll() { Select(0, static_cast<int>(Text().size())); }
};

TEST_F(Reformat, JoinsTheSelectedLinesAsOneUndoStep) {
    StartForm();
    const std::string source = "\\textbf{one}\ntwo % note\nthree\nfour\nfive\n";
    Open("block.tex", source);
    const QString before = Kinds().remove('\n');
    Select(0, static_cast<int>(QString("\\textbf{one}\ntwo % note\nthree\nfour\n").size()));
    Trigger("EditReformatItem");
    EXPECT_EQ(Text(), "\\textbf{one} two % note\nthree four\nfive\n")
        << "the comment line and the selection's last line keep their breaks";
    EXPECT_EQ(Panel(1), "Modified");
    EXPECT_EQ(Panel(2), "");
    EXPECT_EQ(Panel(0), " Row: 1") << "the caret's row, not the percentage";
    // Every character keeps its colour.
    const QString after = Kinds().remove('\n');
    const QString joined = Text().remove('\n');
    const QString original = QString::fromStdString(source).remove('\n');
    QString kept;
    for (qsizetype i = 0, j = 0; i < joined.size(); ++i)
        if (j < original.size() && joined[i] == original[j]) {
            kept += after[i];
            ++j;
        }
    EXPECT_EQ(kept, before);
    EXPECT_EQ(Edit()->textCursor().selectedText().size(),
              QString("\\textbf{one} two % note\nthree four\n").size());
    EXPECT_TRUE(Edit()->hasFocus());

    Trigger("EditUndoItem");
    EXPECT_EQ(Text(), QString::fromStdString(source)) << "one undo brings every break back";
}

TEST_F(Reformat, AnEmptySelectionChangesNothingButCountsAsAChange) {
    StartForm();
    Open("empty.tex", "a\nb\n");
    ASSERT_EQ(Panel(1), "");
    Trigger("EditReformatItem");
    EXPECT_EQ(Text(), "a\nb\n");
    EXPECT_EQ(Panel(1), "Modified");
}

TEST_F(Reformat, EscapeLeavesTheEndJoinedAndTheBeginningUntouched) {
    StartNew();
    Edit()->setPlainText("l0\nl1\nl2\nl3\nl4\nl5\nl6\nl7\nl8\nl9");
    SelectAll();
    // Poll 1 clears earlier presses; the walk polls before each join, from the end: its fourth,
    // before the break after l5, hears Escape.
    form_->Escape().AtPoll(5, [this] { form_->Escape().NoteEscape(); });
    Trigger("EditReformatItem");
    EXPECT_EQ(Text(), "l0\nl1\nl2\nl3\nl4\nl5\nl6 l7 l8 l9");
    EXPECT_EQ(Panel(2), "");
    Trigger("EditUndoItem");
    EXPECT_EQ(Text(), "l0\nl1\nl2\nl3\nl4\nl5\nl6\nl7\nl8\nl9") << "a stopped walk is one step too";
}

// The gutter was sized ahead of the join for the lines it would leave: stopped before the first
// join, it stayed narrow over a thousand lines.
TEST_F(Reformat, AWalkStoppedBeforeTheFirstJoinLeavesTheGutterAsItWas) {
    StartNew();
    const QString lines = QStringLiteral("line\n").repeated(1000);
    Edit()->setPlainText(lines);
    QApplication::processEvents();
    SelectAll();
    const int width = Edit()->viewport()->width();
    form_->Escape().AtPoll(2, [this] { form_->Escape().NoteEscape(); });
    Trigger("EditReformatItem");
    EXPECT_EQ(Text(), lines);
    EXPECT_EQ(Edit()->viewport()->width(), width);
    Edit()->resize(Edit()->width() + 10, Edit()->height());
    EXPECT_EQ(Edit()->viewport()->width(), width + 10) << "and no later resize narrows it";
}

// An Escape that closed a menu before the command stopped the walk at once, joining nothing.
TEST_F(Reformat, AnEscapeBeforeTheCommandStopsNothing) {
    StartNew();
    Edit()->setPlainText("a\nb\nc");
    SelectAll();
    form_->Escape().NoteEscape();
    Trigger("EditReformatItem");
    EXPECT_EQ(Text(), "a b c");
}

TEST_F(Reformat, AWrappedParagraphJoinsInEveryWrapMode) {
    QString paragraph;
    for (int line = 0; line < 3; ++line) {
        for (int i = 0; i < 12; ++i)
            paragraph += QStringLiteral("word%1 ").arg(line * 12 + i);
        paragraph += '\n';
    }
    for (const auto& [name, mode] :
         {std::pair{"off", "0"}, {"saved breaks", "1"}, {"screen only", "2"}}) {
        SCOPED_TRACE(name);
        store_.Write("WordWrap", mode);
        StartNew();
        Active()->parentWidget()->resize(300, 300);
        QApplication::processEvents();
        Edit()->setPlainText(paragraph);
        SelectAll();
        Trigger("EditReformatItem");
        QString joined = paragraph;
        joined.replace('\n', ' ');
        joined.back() = '\n';
        EXPECT_EQ(Text(), joined);
        EXPECT_EQ(Edit()->document()->blockCount(), 2);
    }
}

// Narrowed after the join, the gutter resized the text area, and Qt laid the joined paragraph
// out a second time; and Qt shaped the whole paragraph anew for every paint and caret query.
// Two million characters took seconds.
TEST_F(Reformat, TheJoinedParagraphIsLaidOutAtItsFinalWidthAndKept) {
    StartNew();
    QString lines;
    for (int i = 0; i < 5000; ++i)
        lines += QStringLiteral("line %1 of the block\n").arg(i, 4, 10, QLatin1Char('0'));
    Edit()->setPlainText(lines);
    QApplication::processEvents();
    SelectAll();
    const int wide = Edit()->viewport()->width();
    int atTheEdit = 0;
    const auto watch = QObject::connect(Edit()->document(), &QTextDocument::contentsChange,
                                        [&] { atTheEdit = Edit()->viewport()->width(); });
    Trigger("EditReformatItem");
    QObject::disconnect(watch);
    ASSERT_EQ(Edit()->document()->blockCount(), 2);
    EXPECT_GT(Edit()->viewport()->width(), wide) << "four digits of line numbers down to three";
    EXPECT_EQ(atTheEdit, Edit()->viewport()->width()) << "narrowed before the join";
    EXPECT_TRUE(Edit()->document()->firstBlock().layout()->cacheEnabled());
    EXPECT_FALSE(Edit()->document()->lastBlock().layout()->cacheEnabled()) << "a short line";
    Trigger("EditUndoItem");
    EXPECT_EQ(Text(), lines);
}

class Locator : public MainFormFixture {
protected:
    // Thirty lines "line 1" to "line 30", the caret at the start.
    void OpenLines(const std::string& longLines = {}) {
        std::string text = longLines;
        for (int i = 1; i <= 30; ++i)
            text += "line " + std::to_string(i) + (i < 30 ? "\n" : "");
        Open("lines.tex", text);
    }
    void DoubleClickStatusBar() {
        QTest::mouseDClick(form_->findChild<QLabel*>("StatusPanel2"), Qt::LeftButton);
        QApplication::processEvents();
    }
    // The selected line, from 1, as the surface counts; 0 when nothing is selected.
    [[nodiscard]] int SelectedLine() const {
        const auto [start, end] = Edit()->GetSelection();
        if (start == end)
            return 0;
        const int line = Edit()->LineFromPosition(start);
        EXPECT_EQ(start, Edit()->LineStart(line)) << "a whole line";
        return line + 1;
    }
};

TEST_F(Locator, SelectsTheLineAsTheGutterCountsIt) {
    const struct {
        const char* name;
        std::optional<QString> answer;
        int line; // 0: nothing moves
        const char* error;
    } rows[] = {
        {"nominal: a number", "12", 12, nullptr},
        {"nominal: words around the digits", "line 12", 12, nullptr},
        {"nominal: 0 is the first line", "0", 1, nullptr},
        {"nominal: past the end is the last line", "31", 30, nullptr},
        {"robustness: too large for an integer", "99999999999999999999", 30, nullptr},
        {"robustness: digits interrupted", "1-2", 0, "'1-2' is not a valid line number."},
        {"robustness: no digit", "", 0, nullptr},
        {"robustness: Cancel", std::nullopt, 0, nullptr},
    };
    StartForm();
    OpenLines();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Edit()->SetSelection(0, 0);
        prompter_.ExpectInput("Line locator", row.answer);
        if (row.error)
            prompter_.ExpectMessage(row.error, Answer::Ok);
        DoubleClickStatusBar();
        EXPECT_TRUE(prompter_.Exhausted());
        EXPECT_EQ(prompter_.inputsShown.last(), "Line locator|Line: |");
        EXPECT_EQ(SelectedLine(), row.line);
        if (row.line > 0) {
            EXPECT_EQ(Panel(0), QStringLiteral(" Row: %1").arg(row.line));
            EXPECT_TRUE(Edit()->hasFocus());
        }
    }
}

TEST_F(Locator, CountsScreenLinesOnlyInSavedBreaksMode) {
    std::string longLines;
    for (int line = 0; line < 3; ++line) {
        for (int i = 0; i < 20; ++i)
            longLines += "word ";
        longLines += "\n";
    }
    for (const auto& [name, mode, wrapped] :
         {std::tuple{"screen only", "2", false}, {"saved breaks", "1", true}}) {
        SCOPED_TRACE(name);
        store_.Write("WordWrap", mode);
        StartForm();
        OpenLines(longLines);
        Active()->parentWidget()->resize(300, 300);
        QApplication::processEvents();
        prompter_.ExpectInput("Line locator", "12");
        DoubleClickStatusBar();
        EXPECT_EQ(SelectedLine(), 12);
        const bool fileLine12 = Edit()->textCursor().selectedText().startsWith("line 9\u2029");
        EXPECT_EQ(fileLine12, !wrapped) << Edit()->textCursor().selectedText().toStdString();
    }
}

TEST_F(Locator, AsksNothingWithoutASourceWindow) {
    StartForm();
    DoubleClickStatusBar();
    Trigger("FileNewBibItem");
    DoubleClickStatusBar();
    EXPECT_TRUE(prompter_.inputsShown.isEmpty());
}

} // namespace
} // namespace orvelt::testing
