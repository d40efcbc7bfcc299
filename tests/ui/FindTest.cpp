#include "MainFormFixture.h"
#include "bib/BibTreeModel.h"
#include "search/replace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeView>

namespace orvelt::testing {
namespace {

const QString kEndQuestion = "End of file reached. Continue at the beginning?";

class FindReplace : public MainFormFixture {
protected:
    [[nodiscard]] TReplaceDlg& Dlg() const { return form_->ReplaceDlg(); }
    // The selection in Qt positions (a line break one).
    [[nodiscard]] std::pair<int, int> Selection() const {
        const QTextCursor cursor = Edit()->textCursor();
        return {cursor.selectionStart(), cursor.selectionEnd()};
    }
    void Select(int from, int to) {
        QTextCursor cursor = Edit()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        Edit()->setTextCursor(cursor);
    }
    // Find... for the active window, then the dialog's texts and options as a person sets them.
    void OpenDialog(const QString& find, const QString& replace = {}, bool matchCase = false,
                    bool words = false) {
        Trigger("EditFindItem");
        ASSERT_TRUE(Dlg().isVisible());
        Dlg().Find->setEditText(find);
        Dlg().Replace->setEditText(replace);
        Dlg().CheckCase->setChecked(matchCase);
        Dlg().CheckWords->setChecked(words);
    }
    void Click(QPushButton* button) {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }
    // Where Search selects, from the start of the text to the end question (answered No).
    QList<int> MatchStarts() {
        Select(0, 0);
        prompter_.ExpectMessage(kEndQuestion, Answer::No);
        QList<int> starts;
        for (int guard = 0; guard < 20 && Dlg().isVisible(); ++guard) {
            Click(Dlg().Button1);
            if (Dlg().isVisible())
                starts.append(Selection().first);
        }
        return starts;
    }
    [[nodiscard]] QStringList Items(QComboBox* combo) const {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        return items;
    }
    [[nodiscard]] bool ReplacingOn() const {
        return Dlg().Replace->isEnabled() && Dlg().Button2->isEnabled() &&
               Dlg().Button4->isEnabled();
    }
    [[nodiscard]] bool ReplacingOff() const {
        return !Dlg().Replace->isEnabled() && !Dlg().Button2->isEnabled() &&
               !Dlg().Button4->isEnabled();
    }
};

// ---- Searching a source window ----

TEST_F(FindReplace, CtrlFOpensTheDialogAndEnterAndF3FindTheNextMatch) {
    StartForm();
    Open("paper.tex", "one foo two foo\nthree foo\n");
    EXPECT_FALSE(form_->Action("EditFindAgainItem")->isEnabled()) << "nothing to find yet";
    Key(Qt::Key_F, Qt::ControlModifier);
    QApplication::processEvents(); // the dialog's activation
    ASSERT_TRUE(Dlg().isVisible());
    EXPECT_EQ(Dlg().windowTitle(), "Replace");
    EXPECT_TRUE(Dlg().Find->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == Dlg().Find);
    EXPECT_TRUE(ReplacingOff());
    EXPECT_TRUE(Dlg().Button1->isEnabled());

    // Find again follows the text as it is typed, not only when the window changes.
    TypeInto(Dlg().Find, "foo");
    EXPECT_TRUE(form_->Action("EditFindAgainItem")->isEnabled());
    KeyInto(Dlg().Find, Qt::Key_Return);
    EXPECT_EQ(Selection(), std::make_pair(4, 7));
    EXPECT_TRUE(ReplacingOn()) << "a search succeeded";
    KeyInto(Dlg().Find, Qt::Key_Return);
    EXPECT_EQ(Selection(), std::make_pair(12, 15)) << "from the end of the selection";

    // Escape hides the dialog; the editor has the focus again, and F3 goes on without it.
    KeyInto(Dlg().Find, Qt::Key_Escape);
    QApplication::processEvents(); // the main window's activation
    EXPECT_FALSE(Dlg().isVisible());
    EXPECT_TRUE(Edit()->hasFocus());
    Key(Qt::Key_F3);
    EXPECT_EQ(Selection(), std::make_pair(22, 25));
    EXPECT_FALSE(Dlg().isVisible());
    EXPECT_TRUE(ReplacingOn()) << "Find again's search succeeded";

    // At the end: Yes goes on from the beginning, No leaves the selection where it was.
    prompter_.ExpectMessage(kEndQuestion, Answer::Yes);
    Key(Qt::Key_F3);
    EXPECT_EQ(Selection(), std::make_pair(4, 7));
    Select(23, 23);
    prompter_.ExpectMessage(kEndQuestion, Answer::No);
    Key(Qt::Key_F3);
    EXPECT_EQ(Selection(), std::make_pair(23, 23));
    EXPECT_FALSE(Dlg().isVisible());
    EXPECT_FALSE(Active()->Modified) << "searching changes nothing";

    // An empty search text searches nothing and asks nothing.
    Trigger("EditFindItem");
    Dlg().Find->setEditText("");
    EXPECT_FALSE(form_->Action("EditFindAgainItem")->isEnabled());
    Click(Dlg().Button1);
    EXPECT_EQ(Selection(), std::make_pair(23, 23));
    EXPECT_EQ(prompter_.shown.size(), 2);
    // Close hides it as Escape does.
    Click(Dlg().Button3);
    EXPECT_FALSE(Dlg().isVisible());
}

TEST_F(FindReplace, TheDialogMovesOffTheMatchItCovers) {
    StartForm();
    Open("paper.tex", "one\ntwo\nthree foo\n");
    OpenDialog("foo");
    QTextCursor at = Edit()->textCursor();
    at.setPosition(15);
    const QPoint match = Edit()->viewport()->mapToGlobal(Edit()->cursorRect(at).center());
    Dlg().move(match - QPoint(Dlg().width() / 2, Dlg().height() / 2));
    ASSERT_TRUE(Dlg().frameGeometry().contains(match));
    Click(Dlg().Button1);
    ASSERT_EQ(Selection(), std::make_pair(14, 17));
    EXPECT_FALSE(Dlg().frameGeometry().contains(match));
}

TEST_F(FindReplace, CaseAndWholeWordsHoldBeyondAscii) {
    struct Row {
        const char* name;
        std::string bytes; // the file: UTF-8, or Windows-1252 where it is not valid UTF-8
        QString find;
        bool matchCase;
        bool words;
        QList<int> starts;
    };
    const Row rows[] = {
        {"nominal: UTF-8, any case",
         "\xC3\x89mile \xC3\xA9mile EMILE\n",
         "émile",
         false,
         false,
         {0, 6}},
        {"nominal: UTF-8, case sensitive",
         "\xC3\x89mile \xC3\xA9mile\n",
         "Émile",
         true,
         false,
         {0}},
        {"nominal: Windows-1252, any case",
         "\xC9mile \xE9mile \x8C\x9C\n",
         "émile",
         false,
         false,
         {0, 6}},
        {"nominal: Windows-1252 ligatures fold", "\x8C \x9C\n", "œ", false, false, {0, 2}},
        {"nominal: Greek folds", "\xCE\xA9 \xCF\x89\n", "ω", false, false, {0, 2}},
        {"nominal: a longer command is no whole word",
         "\\section \\sections \\section{a}\n",
         "\\section",
         false,
         true,
         {0, 19}},
        {"nominal: an accented letter continues a word",
         "caf\xC3\xA9ine caf\xC3\xA9\n",
         "café",
         false,
         true,
         {8}},
        {"nominal: a line end is a boundary", "x\nfoo\nfoox\n", "foo", false, true, {2}},
    };
    StartForm();
    int file = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Open(QStringLiteral("f%1.tex").arg(++file), row.bytes);
        OpenDialog(row.find, {}, row.matchCase, row.words);
        EXPECT_EQ(MatchStarts(), row.starts);
    }
}

TEST_F(FindReplace, HistoriesPutTheLastTextFirstAndKeepItsCase) {
    StartForm();
    Open("paper.tex", "foo bar Foo\n");
    OpenDialog("foo", "one");
    for (const char* text : {"bar", "Foo"}) {
        Click(Dlg().Button1);
        Dlg().Find->setEditText(text);
    }
    Dlg().Replace->setEditText("One");
    Click(Dlg().Button1);
    EXPECT_EQ(Items(Dlg().Find), (QStringList{"Foo", "bar"})) << "foo went, Foo came first";
    EXPECT_EQ(Dlg().Find->currentText(), "Foo");
    EXPECT_EQ(Items(Dlg().Replace), (QStringList{"One"}));
    // Typed text is never completed from the history: "ba" is searched, not "bar".
    Dlg().Find->setEditText("");
    TypeInto(Dlg().Find, "ba");
    Select(0, 0);
    Click(Dlg().Button1);
    EXPECT_EQ(Dlg().Find->currentText(), "ba");
    EXPECT_EQ(Items(Dlg().Find), (QStringList{"ba", "Foo", "bar"}));
    // Histories and options last for the run.
    Dlg().CheckCase->setChecked(true);
    Click(Dlg().Button3);
    Trigger("EditFindItem");
    EXPECT_EQ(Items(Dlg().Find).size(), 3);
    EXPECT_TRUE(Dlg().CheckCase->isChecked());
}

// ---- Replacing ----

// Replace overwrote any selection, a paragraph selected after a search included, and marked
// the document modified after a mere search.
TEST_F(FindReplace, ReplaceReplacesOnlyAMatchThenSelectsTheNext) {
    StartForm();
    Open("paper.tex", "foo bar foo bar foo\n");
    OpenDialog("foo", "baz");
    Click(Dlg().Button1);
    ASSERT_EQ(Selection(), std::make_pair(0, 3));
    Select(4, 7); // "bar": no match
    Click(Dlg().Button2);
    EXPECT_EQ(Text(), "foo bar foo bar foo\n");
    EXPECT_EQ(Selection(), std::make_pair(8, 11));
    EXPECT_FALSE(Active()->Modified);
    Click(Dlg().Button2);
    EXPECT_EQ(Text(), "foo bar baz bar foo\n");
    EXPECT_EQ(Selection(), std::make_pair(16, 19));
    EXPECT_TRUE(Active()->Modified);
    EXPECT_EQ(Panel(1), "Modified");

    // The last one, then the question: Yes goes on from the beginning.
    prompter_.ExpectMessage(kEndQuestion, Answer::Yes);
    Click(Dlg().Button2);
    EXPECT_EQ(Text(), "foo bar baz bar baz\n");
    EXPECT_EQ(Selection(), std::make_pair(0, 3));
    // A text that occurs nowhere: the question at once, again after Yes; No ends it.
    Dlg().Find->setEditText("qux");
    prompter_.ExpectMessage(kEndQuestion, Answer::Yes);
    prompter_.ExpectMessage(kEndQuestion, Answer::No);
    Click(Dlg().Button2);
    EXPECT_FALSE(Dlg().isVisible());
    EXPECT_EQ(Text(), "foo bar baz bar baz\n");
}

TEST_F(FindReplace, TheReplacementIsWhatTheDocumentCanHold) {
    StartForm();
    Open("old.tex", "x \xE9\n"); // Windows-1252
    OpenDialog("x", "\u03A9\u00E9");
    Click(Dlg().Button1);
    prompter_.ExpectMessage(kEndQuestion, Answer::No);
    Click(Dlg().Button2);
    EXPECT_EQ(Text(), "?\u00E9 \u00E9\n");
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("old.tex")), "?\xE9 \xE9\n");
}

// Yes after Replace all ran over the whole text again: "section" -> "subsection" from the middle
// turned the later ones into "subsubsection". Only the last replacement could be undone.
TEST_F(FindReplace, ReplaceAllReplacesEachOccurrenceOnceAsOneUndoStep) {
    const std::string text = "\\section{A}\n\\section{B}\n\\section{C}\nsection\n";
    StartForm();
    Open("paper.tex", text);
    OpenDialog("section", "subsection");
    Select(12, 12);
    Click(Dlg().Button1);
    ASSERT_EQ(Selection(), std::make_pair(13, 20));
    prompter_.ExpectMessage(kEndQuestion, Answer::Yes);
    Click(Dlg().Button4);
    EXPECT_EQ(Text(), "\\subsection{A}\n\\subsection{B}\n\\subsection{C}\nsubsection\n");
    EXPECT_FALSE(Dlg().isVisible()) << "the wrapped pass ends it";
    EXPECT_TRUE(Active()->Modified);
    Trigger("EditUndoItem");
    EXPECT_EQ(Text(), QString::fromStdString(text)) << "one Undo takes both passes back";

    // "a" -> "aa" from the middle, and No: the text before the caret stays.
    Open("a.tex", "a a\naa\n");
    OpenDialog("a", "aa");
    Click(Dlg().Button1);
    ASSERT_EQ(Selection(), std::make_pair(0, 1));
    Select(2, 2);
    prompter_.ExpectMessage(kEndQuestion, Answer::No);
    Click(Dlg().Button4);
    EXPECT_EQ(Text(), "a aa\naaaa\n") << "each a after the caret doubled once";
    EXPECT_EQ(Selection(), std::make_pair(9, 9)) << "after the last replacement";
}

TEST_F(FindReplace, EscapeStopsReplaceAllKeepingWhatItReplaced) {
    StartForm();
    Open("paper.tex", "a a a a\n");
    OpenDialog("a", "b");
    Click(Dlg().Button1);
    Select(0, 0);
    // Escape pressed while the second replacement is made.
    QObject::connect(Active(), &ChildWindow::Progress, form_.get(), [this](int done, int) {
        if (done == 2)
            form_->Escape().NoteEscape();
    });
    Click(Dlg().Button4);
    EXPECT_EQ(Text(), "b b a a\n") << "no question, nothing half replaced";
    EXPECT_TRUE(Dlg().isVisible());
    Trigger("EditUndoItem");
    EXPECT_EQ(Text(), "a a a a\n");
}

// Replace all began by overwriting a selection that was no match (meant as its scope).
TEST_F(FindReplace, ReplaceAllKeepsASelectionThatIsNoMatch) {
    StartForm();
    Open("paper.tex", "keep this foo foo\n");
    OpenDialog("foo", "bar");
    Click(Dlg().Button1);
    Select(0, 9);
    prompter_.ExpectMessage(kEndQuestion, Answer::No);
    Click(Dlg().Button4);
    EXPECT_EQ(Text(), "keep this bar bar\n");
}

TEST_F(FindReplace, ReplacedLinesAreRestyledAndBookmarksMove) {
    StartForm();
    Open("paper.tex", "x foo y foo\nplain\nfoo % foo\nmark\n");
    const int mark = 28; // "mark"
    Select(mark, mark);
    Active()->DropBookmark(1);
    OpenDialog("foo", "\\alpha");
    Select(0, 0);
    Click(Dlg().Button1);
    Select(0, 0);
    prompter_.ExpectMessage(kEndQuestion, Answer::No);
    Click(Dlg().Button4);
    ASSERT_EQ(Text(), "x \\alpha y \\alpha\nplain\n\\alpha % \\alpha\nmark\n");
    const QString kinds = Kinds();
    EXPECT_EQ(kinds.mid(2, 6), QString(6, kinds.at(2))) << kinds.toStdString();
    EXPECT_NE(kinds.at(2), 't') << "a command, not text";
    EXPECT_EQ(kinds.mid(24, 6), QString(6, kinds.at(24)));
    EXPECT_EQ(kinds.mid(31, 8), QString(8, 'c')) << "a comment stays one";
    Active()->GotoBookmark(1);
    EXPECT_EQ(Selection().first, mark + 4 * 3) << "moved with the four replacements before it";
}

// ---- Other windows ----

TEST_F(FindReplace, SearchingABibliographySelectsTheEntryAndTheText) {
    StartForm();
    Open("refs.bib", "@ARTICLE{zeta,\n   author = {Z. Author},\n   title = {Last Word},\n}\n\n"
                     "@ARTICLE{alpha,\n   title = {First Word},\n}\n\n"
                     "@STRING{   jcp = {J. Chem. Phys.}\n}\n\n"
                     "@ONLINE{web, note = {a word}}\n");
    TBIBChild* bib = Bib();
    ASSERT_NE(bib, nullptr);
    OpenDialog("word");
    EXPECT_TRUE(Dlg().Button1->isEnabled());
    const auto found = [&](const char* caption, const QString& field) {
        const QModelIndex node = bib->TreeView->currentIndex();
        EXPECT_TRUE(node.data().toString().endsWith(caption))
            << node.data().toString().toStdString();
        const int row = bib->EditGrid->currentRow();
        const int column = bib->EditGrid->currentColumn();
        QWidget* cell = bib->EditGrid->cellWidget(row, column);
        if (auto* line = qobject_cast<QLineEdit*>(cell)) {
            EXPECT_EQ(bib->EditGrid->item(row, 0)->text(), field);
            EXPECT_EQ(line->selectedText(), "Word");
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(cell)) {
            EXPECT_EQ(text->textCursor().selectedText(), "word");
        } else {
            ADD_FAILURE() << "no cell";
        }
    };
    Click(Dlg().Button1);
    found("alpha", "title"); // the category is in caption order
    EXPECT_TRUE(ReplacingOff()) << "cells are edited in the grid";
    Click(Dlg().Button1);
    found("zeta", "title");
    Click(Dlg().Button1);
    found("web", "");
    prompter_.ExpectMessage(kEndQuestion, Answer::Yes);
    Click(Dlg().Button1);
    found("alpha", "title");

    // What was just typed into a cell is searched; the abbreviation's name is a cell too.
    Dlg().Find->setEditText("jcp");
    Click(Dlg().Button1);
    ASSERT_EQ(bib->TreeView->currentIndex().data().toString(), "jcp");
    auto* name = qobject_cast<QLineEdit*>(bib->EditGrid->cellWidget(0, 0));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->selectedText(), "jcp");
    auto* value = qobject_cast<QLineEdit*>(bib->EditGrid->cellWidget(0, 1));
    value->setFocus();
    value->setCursorPosition(value->text().size());
    TypeInto(value, " Zanzibar");
    value->setCursorPosition(0);
    Dlg().Find->setEditText("zanzibar");
    Click(Dlg().Button1);
    EXPECT_EQ(value->selectedText(), "Zanzibar");
}

TEST_F(FindReplace, TheButtonsFollowTheActiveWindow) {
    StartForm();
    Open("paper.tex", "foo\n");
    OpenDialog("foo");
    Click(Dlg().Button1);
    EXPECT_TRUE(ReplacingOn());
    WriteBytes(File("paper.log"), "This is pdfTeX\n");
    Trigger("ViewLogFileItem");
    ASSERT_EQ(form_->ActiveChild()->Kind(), ChildKind::Log);
    EXPECT_FALSE(Dlg().Button1->isEnabled());
    EXPECT_TRUE(ReplacingOff());
    EXPECT_FALSE(form_->Action("EditFindItem")->isEnabled());
    EXPECT_FALSE(form_->Action("EditFindAgainItem")->isEnabled());
    ShowTab(0);
    EXPECT_TRUE(Dlg().Button1->isEnabled());
    EXPECT_TRUE(ReplacingOn());
    EXPECT_TRUE(form_->Action("EditFindAgainItem")->isEnabled());
    while (form_->ChildCount() > 0) {
        form_->ActiveChild()->parentWidget()->close();
        QApplication::processEvents();
    }
    EXPECT_FALSE(Dlg().Button1->isEnabled());
    EXPECT_TRUE(ReplacingOff());
}

TEST_F(FindReplace, F1ShowsEachControlsTopic) {
    StartForm();
    Open("paper.tex", "foo\n");
    OpenDialog("foo");
    Click(Dlg().Button1);
    const std::pair<QWidget*, int> rows[] = {
        {Dlg().Find, 21},    {Dlg().Replace, 22}, {Dlg().CheckCase, 23}, {Dlg().CheckWords, 24},
        {Dlg().Button1, 25}, {Dlg().Button2, 26}, {Dlg().Button4, 27},
    };
    for (const auto& [control, topic] : rows) {
        SCOPED_TRACE(control->objectName().toStdString());
        control->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        ASSERT_FALSE(help_.topics.isEmpty());
        EXPECT_EQ(help_.topics.last(), topic);
    }
    EXPECT_EQ(help_.topics.size(), 7);
}

// F3 is Find again's while it is enabled, and a program's key otherwise.
TEST_F(FindReplace, AProgramSharingF3RunsOnlyWhileFindAgainIsOff) {
    StartForm();
    Open("paper.tex", "foo foo\n");
    form_->Options().programs = {{"Run", KeyChord{0, "F3"}, "run %f", false, true}};
    form_->BuildTeXMenu();
    form_->UpdateMenuItems();
    Key(Qt::Key_F3);
    EXPECT_EQ(launcher_.calls.size(), 1);
    OpenDialog("foo");
    Click(Dlg().Button3);
    Key(Qt::Key_F3);
    EXPECT_EQ(Selection(), std::make_pair(0, 3));
    EXPECT_EQ(launcher_.calls.size(), 1);
}

} // namespace
} // namespace orvelt::testing
