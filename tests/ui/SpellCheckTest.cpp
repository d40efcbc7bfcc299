#include "MainFormFixture.h"
#include "editor/misspell.h"
#include "options/DictionaryPage.h"
#include "options/options.h"

#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <optional>

namespace orvelt::testing {
namespace {

constexpr const char* kList = "the\nword\nreceive\nende\nGr\xC3\xBC\xC3\x9F"
                              "e\nisn't\n";

class SpellCheck : public MainFormFixture {
protected:
    // Starts with words.txt (kList unless given) as the chosen list.
    void StartWithList(const std::string& list = kList) {
        WriteBytes(File("words.txt"), list);
        store_.Write("Dictionary", File("words.txt").toStdString());
        StartForm();
    }
    Tmisspelled& Dialog() const { return form_->Misspelled(); }
    // The word the dialog shows; empty when it is hidden.
    QString Shown() const { return Dialog().isVisible() ? Dialog().EditFind->text() : QString(); }
    void Click(QPushButton* button) {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }
    void ReplaceBy(const QString& text) {
        Dialog().EditReplace->selectAll();
        QTest::keyClicks(Dialog().EditReplace, text);
        Click(Dialog().BtnReplace);
    }
    void ExpectCompleted() { prompter_.ExpectMessage("Spellchecking completed.", Answer::Ok); }
    QString Learned(const QString& list = "words.txt") const {
        return dir_.path() + "/data/orvelt95/Dictionary/" + list;
    }
    // Every file of the test folder whose name says it is a spelling copy.
    QStringList SpellCopies() const {
        QStringList found;
        for (QDirIterator it(dir_.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
             it.hasNext();)
            if (const QString file = it.next(); file.contains(".Spell", Qt::CaseInsensitive))
                found << file;
        return found;
    }
};

// One check through every answer, in a UTF-8 and in a Windows-1252 document: the umlaut
// notation and the letters are found in both.
TEST_F(SpellCheck, EveryAnswerInBothEncodings) {
    struct Case {
        const char* name;
        std::string bytes;
        QString after;
    };
    const QString text =
        "teh wrod Teh recieve the Recieve Vektorraum wrod Gr\"u\"se Gr\u00FC\u00DFe";
    const QString after =
        "teh wrdo Teh receive the receive Vektorraum wrod Gr\"u\"se Gr\u00FC\u00DFe";
    const Case cases[] = {
        {"nominal: UTF-8", text.toStdString(), after},
        {"nominal: Windows-1252", text.toLatin1().toStdString(), after},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(Learned());
        StartWithList();
        Open("paper.tex", c.bytes);
        Edit()->moveCursor(QTextCursor::Start);
        Trigger("EditSpellItem");
        ASSERT_TRUE(Dialog().isVisible());
        EXPECT_EQ(Dialog().windowTitle(), "Misspelled word");
        EXPECT_EQ(Shown(), "teh");
        EXPECT_EQ(Dialog().EditReplace->text(), "teh");
        EXPECT_EQ(Edit()->textCursor().selectedText(), "teh") << "the word is selected";
        EXPECT_TRUE(Dialog().BtnIgnore->isDefault());
        EXPECT_FALSE(Dialog().BtnReplace->isDefault());
        EXPECT_EQ(Dialog().BtnAddI->toolTip(), "Add word to dictionary.");
        Click(Dialog().BtnIgnoreAll);

        // A replacement is looked up again; typing makes Enter replace and Add unusable.
        EXPECT_EQ(Shown(), "wrod");
        Dialog().EditReplace->selectAll();
        QTest::keyClicks(Dialog().EditReplace, "wrdo");
        EXPECT_FALSE(Dialog().BtnAddI->isEnabled());
        EXPECT_TRUE(Dialog().BtnReplace->isDefault());
        EXPECT_FALSE(Dialog().BtnIgnore->isDefault());
        QTest::keyClick(Dialog().EditReplace, Qt::Key_Return);
        EXPECT_EQ(Shown(), "wrdo");
        EXPECT_TRUE(Dialog().BtnAddI->isEnabled());
        Click(Dialog().BtnIgnore);

        // Teh was ignored with teh; Recieve is replaced without a question.
        EXPECT_EQ(Shown(), "recieve");
        Dialog().EditReplace->selectAll();
        QTest::keyClicks(Dialog().EditReplace, "receive");
        Click(Dialog().BtnReplaceAll);
        EXPECT_EQ(Shown(), "Vektorraum");
        Click(Dialog().BtnAddI);
        EXPECT_EQ(Shown(), "wrod") << "the ignore list is this check's, Ignore only this one";
        ExpectCompleted();
        Click(Dialog().BtnIgnore);
        EXPECT_FALSE(Dialog().isVisible());
        EXPECT_EQ(Text(), c.after);
        EXPECT_TRUE(Active()->IsModified());
        EXPECT_EQ(Panel(1), "Modified");
        EXPECT_EQ(Panel(0).trimmed(), "") << "the progress is cleared";
        EXPECT_EQ(ReadBytes(Learned()), "Vektorraum\n") << "written when the check completed";
        EXPECT_EQ(ReadBytes(File("words.txt")), kList) << "the chosen list is only read";
        prompter_.ExpectMessage("Save " + File("paper.tex") + " ?", Answer::No);
        ASSERT_TRUE(CloseForm());
    }
}

TEST_F(SpellCheck, WhereACheckStartsAndEnds) {
    struct Case {
        const char* name;
        QString text;
        int caret;
        QStringList shown;
    };
    const Case cases[] = {
        // The check stopped one character short of the end.
        {"regression: the last word is reported", "the wrod", 0, {"wrod"}},
        {"regression: a caret inside a word checks the whole word", "the recieve", 7, {"recieve"}},
        {"nominal: from the caret on", "wrod the teh", 5, {"teh"}},
        {"nominal: commands, comments and one-letter words pass",
         "\\textbf{ende} % wrod\nx \\wrod",
         0,
         {}},
        {"regression: an escaped percent sign starts no comment", "50\\% of teh", 0, {"of", "teh"}},
        {"nominal: a caret at the end completes at once", "wrod", 4, {}},
        {"nominal: an empty text completes at once", "", 0, {}},
    };
    StartWithList();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Trigger("FileNewItem");
        if (!c.text.isEmpty())
            Paste(c.text);
        if (c.shown.isEmpty())
            ExpectCompleted();
        QTextCursor caret = Edit()->textCursor();
        caret.setPosition(c.caret);
        Edit()->setTextCursor(caret);
        QTest::mouseClick(form_->findChild<QToolButton*>("BtnSpell"), Qt::LeftButton);
        QStringList shown;
        while (Dialog().isVisible() && shown.size() < 5) {
            shown << Shown();
            if (shown.size() == c.shown.size())
                ExpectCompleted();
            Click(Dialog().BtnIgnore);
        }
        if (c.shown.isEmpty()) {
            EXPECT_EQ(prompter_.shown.last(), "Spellchecking completed.");
        }
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(Text(), c.text) << "Ignore changes nothing";
    }
}

// While a word waits the user may edit; the check follows the edits, and replaces only the
// word it showed, where it now stands.
TEST_F(SpellCheck, EditsDuringTheWaitAreFollowed) {
    enum class Meanwhile { TypeBefore, SelectOther, Overwrite };
    struct Case {
        const char* name;
        Meanwhile edit;
        QString after;
        QString next; // shown after Replace by "word"
    };
    const Case cases[] = {
        // The word's old position was replaced: "Gr"u"word"u"se...".
        {"regression: typing before the word", Meanwhile::TypeBefore, "Gr\"u\"se word the teh",
         "teh"},
        // The user's own selection was replaced.
        {"regression: another selection", Meanwhile::SelectOther, "word the teh", "teh"},
        {"nominal: the word overwritten is not replaced but looked up", Meanwhile::Overwrite,
         "wodr the teh", "wodr"},
    };
    StartWithList();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Trigger("FileNewItem");
        Type("wrod the teh");
        Edit()->moveCursor(QTextCursor::Start);
        Trigger("EditSpellItem");
        ASSERT_EQ(Shown(), "wrod");
        QTextCursor cursor = Edit()->textCursor();
        switch (c.edit) {
        case Meanwhile::TypeBefore:
            Edit()->moveCursor(QTextCursor::Start);
            Type("Gr\"u\"se ");
            break;
        case Meanwhile::SelectOther:
            cursor.setPosition(9);
            cursor.setPosition(12, QTextCursor::KeepAnchor);
            Edit()->setTextCursor(cursor);
            break;
        case Meanwhile::Overwrite:
            ASSERT_EQ(cursor.selectedText(), "wrod");
            Type("wodr");
            break;
        }
        ReplaceBy("word");
        EXPECT_EQ(Text(), c.after);
        EXPECT_EQ(Shown(), c.next);
        Click(Dialog().BtnCancel);
        if (c.edit != Meanwhile::Overwrite) {
            // Regression: one undo took back only the replacement's insertion, leaving the word
            // deleted.
            Trigger("EditUndoItem");
            EXPECT_EQ(Text().count("wrod"), 1) << "one undo takes the replacement back";
        }
        EXPECT_FALSE(Dialog().isVisible());
    }
}

// A Replace All pair that fires after the document was saved changes the text without the user's
// hand: the window is marked modified all the same.
TEST_F(SpellCheck, AnAutomaticReplacementMarksTheWindowModified) {
    StartWithList();
    Open("paper.tex", "teh wrod teh\n");
    Edit()->moveCursor(QTextCursor::Start);
    Trigger("EditSpellItem");
    ASSERT_EQ(Shown(), "teh");
    Dialog().EditReplace->selectAll();
    QTest::keyClicks(Dialog().EditReplace, "the");
    Click(Dialog().BtnReplaceAll);
    ASSERT_EQ(Shown(), "wrod");
    Trigger("FileSaveItem");
    ASSERT_FALSE(Active()->IsModified());
    ExpectCompleted();
    Click(Dialog().BtnIgnore);
    EXPECT_EQ(Text(), "the wrod the\n");
    EXPECT_TRUE(Active()->IsModified());
    EXPECT_EQ(Panel(1), "Modified");
    prompter_.ExpectMessage("Save " + File("paper.tex") + " ?", Answer::No);
    ASSERT_TRUE(CloseForm());
}

TEST_F(SpellCheck, TheCheckEndsWithItsWindowOrItsDialog) {
    StartWithList();
    Open("paper.tex", "wrod teh\n");
    Trigger("EditSpellItem");
    ASSERT_EQ(Shown(), "wrod");
    // Escape, the close box and Cancel end it alike, writing nothing and leaving no copy.
    Click(Dialog().BtnAddI);
    ASSERT_EQ(Shown(), "teh");
    QTest::keyClick(Dialog().EditReplace, Qt::Key_Escape);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_FALSE(QFile::exists(Learned())) << "Cancel writes no learned word";
    Edit()->moveCursor(QTextCursor::Start);
    Trigger("EditSpellItem");
    ASSERT_EQ(Shown(), "teh") << "wrod is learned";
    Dialog().close();
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_FALSE(Dialog().Checking());
    EXPECT_TRUE(SpellCopies().isEmpty()) << SpellCopies().join(' ').toStdString();
    EXPECT_FALSE(Active()->IsModified());

    // A second check ends the first; closing the checked window ends the check.
    Edit()->moveCursor(QTextCursor::Start);
    Trigger("EditSpellItem");
    Trigger("FileNewItem");
    Type("sekond");
    Edit()->moveCursor(QTextCursor::Start);
    Trigger("EditSpellItem");
    ASSERT_EQ(Shown(), "sekond");
    prompter_.ExpectMessage("Save NONAME2 ?", Answer::No);
    CloseActive();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_FALSE(Dialog().Checking());
    EXPECT_FALSE(Dialog().BtnIgnore->isEnabled());
    ASSERT_TRUE(CloseForm());
    EXPECT_EQ(ReadBytes(Learned()), "wrod\n") << "written at the end of the run";
}

// Centred on the screen, the dialog may stand over the word it shows.
TEST_F(SpellCheck, TheDialogMovesOffTheWordItShows) {
    StartWithList();
    Open("paper.tex", "wrod the\nthe teh\n");
    Trigger("EditSpellItem");
    ASSERT_EQ(Shown(), "wrod");
    QTextCursor at = Edit()->textCursor();
    at.setPosition(14);
    const QPoint word = Edit()->viewport()->mapToGlobal(Edit()->cursorRect(at).center());
    Dialog().move(word - QPoint(Dialog().width() / 2, Dialog().height() / 2));
    ASSERT_TRUE(Dialog().frameGeometry().contains(word));
    Click(Dialog().BtnIgnore);
    ASSERT_EQ(Shown(), "teh");
    EXPECT_FALSE(Dialog().frameGeometry().contains(word));
    Click(Dialog().BtnCancel);
}

TEST_F(SpellCheck, IsUsableOnceAListIsChosen) {
    StartNew();
    EXPECT_FALSE(form_->Action("EditSpellItem")->isEnabled());
    EXPECT_FALSE(form_->findChild<QToolButton*>("BtnSpell")->isEnabled());
    WriteBytes(File("words.txt"), kList);
    Trigger("ViewOptionsItem");
    prompter_.ExpectOpenFile(File("words.txt"));
    QTest::mouseClick(form_->OptionsDialog().DictionaryTab->BrowseDict, Qt::LeftButton);
    form_->OptionsDialog().reject();
    EXPECT_TRUE(form_->Action("EditSpellItem")->isEnabled());
    EXPECT_TRUE(form_->findChild<QToolButton*>("BtnSpell")->isEnabled());
    EXPECT_EQ(form_->findChild<QToolButton*>("BtnSpell")->toolTip(), "Spellcheck");
    Type("the wrod");
    Edit()->moveCursor(QTextCursor::Start);
    QTest::mouseClick(form_->findChild<QToolButton*>("BtnSpell"), Qt::LeftButton);
    EXPECT_EQ(Shown(), "wrod");
    Click(Dialog().BtnCancel);
    prompter_.ExpectMessage("Save NONAME1 ?", Answer::No);
    CloseActive();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(form_->Action("EditSpellItem")->isEnabled());
}

// The chosen list is never written, even when it may be; learned words go to their own file,
// which keeps what other runs added to it and stays a link when it is one.
TEST_F(SpellCheck, LearnedWordsGoToTheirOwnFile) {
    StartWithList();
    SetFileTime(File("words.txt"), 1, 2);
    const QDateTime stamp = QFileInfo(File("words.txt")).lastModified();
    Trigger("FileNewItem");
    Type("Vektorraum Eigenwert");
    Edit()->moveCursor(QTextCursor::Start);
    Trigger("EditSpellItem");
    Click(Dialog().BtnAddI);
    // Another run wrote to the file since this one read it.
    ASSERT_TRUE(QDir().mkpath(QFileInfo(Learned()).absolutePath()));
    WriteBytes(File("elsewhere.txt"), "Matrix");
    ASSERT_TRUE(QFile::link(File("elsewhere.txt"), Learned()));
    ExpectCompleted();
    Click(Dialog().BtnAddI);
    EXPECT_EQ(ReadBytes(File("elsewhere.txt")), "Matrix\nVektorraum\nEigenwert\n");
    EXPECT_TRUE(QFileInfo(Learned()).isSymLink());
    EXPECT_EQ(ReadBytes(File("words.txt")), kList);
    EXPECT_EQ(QFileInfo(File("words.txt")).lastModified(), stamp);
    prompter_.ExpectMessage("Save NONAME1 ?", Answer::No);
    ASSERT_TRUE(CloseForm());
    EXPECT_EQ(ReadBytes(File("elsewhere.txt")), "Matrix\nVektorraum\nEigenwert\n")
        << "a run that learned nothing more writes nothing";

    StartForm();
    for (const char* word : {"Vektorraum", "eigenwert", "Matrix", "receive"})
        EXPECT_TRUE(form_->OptionSource().Words().Contains(word)) << word;
    ASSERT_TRUE(CloseForm());
}

// A system list is read where it is installed and never written (the tests run as root).
TEST_F(SpellCheck, ASystemListStaysAsInstalled) {
    const QString system = "/usr/share/dict/american-english";
    if (!QFile::exists(system))
        GTEST_SKIP() << "wamerican is not installed";
    const std::string bytes = ReadBytes(system);
    const QDateTime stamp = QFileInfo(system).lastModified();
    store_.Write("Dictionary", system.toStdString());
    StartNew();
    Type("This isn't a caf\u00E9 but a Vektorraum.");
    Edit()->moveCursor(QTextCursor::Start);
    Trigger("EditSpellItem");
    ASSERT_EQ(Shown(), "Vektorraum");
    ExpectCompleted();
    Click(Dialog().BtnAddI);
    EXPECT_EQ(ReadBytes(Learned("american-english")), "Vektorraum\n");
    EXPECT_EQ(ReadBytes(system), bytes);
    EXPECT_EQ(QFileInfo(system).lastModified(), stamp);
    prompter_.ExpectMessage("Save NONAME1 ?", Answer::No);
    ASSERT_TRUE(CloseForm());
}

// A list that cannot be used is warned about at the start and again by Spellcheck, which then
// checks nothing; the file is left as it was.
TEST_F(SpellCheck, AListThatCannotBeReadRunsNoCheck) {
    struct Case {
        const char* name;
        std::optional<std::string> bytes; // none: no such file
        QString reason;                   // after the file name; empty: the system's words
    };
    const Case cases[] = {
        {"robustness: NUL bytes", std::string("the\n\0word\n", 10),
         "it holds NUL bytes, so it is no word list"},
        {"robustness: a missing list", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(File("words.txt"));
        if (c.bytes) {
            WriteBytes(File("words.txt"), *c.bytes);
            SetFileTime(File("words.txt"), 1, 2);
        }
        const QDateTime stamp = QFileInfo(File("words.txt")).lastModified();
        store_.Write("Dictionary", File("words.txt").toStdString());
        const auto expect = [&](const QString& before, const QString& after) {
            if (c.reason.isEmpty())
                prompter_.ExpectMessageStartingWith(before, Answer::Ok);
            else
                prompter_.ExpectMessage(before + c.reason + after, Answer::Ok);
        };
        expect("Error reading " + File("words.txt") + ": ", "");
        StartNew();
        Type("wrod");
        expect("The dictionary " + File("words.txt") + " cannot be read: ", ".");
        Trigger("EditSpellItem");
        EXPECT_FALSE(Dialog().isVisible());
        EXPECT_FALSE(Dialog().Checking());
        prompter_.ExpectMessage("Save NONAME1 ?", Answer::No);
        ASSERT_TRUE(CloseForm());
        if (c.bytes) {
            EXPECT_EQ(ReadBytes(File("words.txt")), *c.bytes);
            EXPECT_EQ(QFileInfo(File("words.txt")).lastModified(), stamp);
        } else {
            EXPECT_FALSE(QFile::exists(File("words.txt")));
        }
        EXPECT_FALSE(QFile::exists(Learned())) << "nothing was learned";
    }
}

// A learned file that is no word list is not read, and never written over: neither when a
// check completes nor at the end of the run.
TEST_F(SpellCheck, ALearnedFileThatCannotBeReadIsLeftAlone) {
    const std::string bytes("Matrix\n\0", 8);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(Learned()).absolutePath()));
    WriteBytes(Learned(), bytes);
    const QString reason = "it holds NUL bytes, so it is no word list";
    prompter_.ExpectMessage("Error reading " + Learned() + ": " + reason, Answer::Ok);
    StartWithList();
    EXPECT_FALSE(form_->OptionSource().Words().Contains("Matrix"));
    Trigger("FileNewItem");
    Type("the Vektorraum");
    Edit()->moveCursor(QTextCursor::Start);
    Trigger("EditSpellItem");
    ASSERT_EQ(Shown(), "Vektorraum");
    prompter_.ExpectMessage(
        "The learned words cannot be written to " + Learned() + ": " + reason + ".", Answer::Ok);
    prompter_.ExpectMessage("Save the learned words under another name?", Answer::No);
    ExpectCompleted();
    Click(Dialog().BtnAddI);
    EXPECT_EQ(ReadBytes(Learned()), bytes);
    prompter_.ExpectMessage("Save NONAME1 ?", Answer::No);
    prompter_.ExpectMessage(
        "The learned words cannot be written to " + Learned() + ": " + reason + ".", Answer::Ok);
    prompter_.ExpectMessage("Save the learned words under another name?", Answer::No);
    ASSERT_TRUE(CloseForm());
    EXPECT_EQ(ReadBytes(Learned()), bytes);
}

// A learned file that cannot be read is never written over (a directory stands in its place:
// root may write anything else); the words are offered to another file, or kept.
TEST_F(SpellCheck, LearnedWordsThatCannotBeWrittenAreNotLost) {
    ASSERT_TRUE(QDir().mkpath(Learned()));
    prompter_.ExpectMessageStartingWith("Error reading " + Learned() + ": ", Answer::Ok);
    StartWithList();
    Trigger("FileNewItem");
    Type("Vektorraum Eigenwert");
    Edit()->moveCursor(QTextCursor::Start);
    Trigger("EditSpellItem");
    Click(Dialog().BtnAddI);
    prompter_.ExpectMessageStartingWith(
        "The learned words cannot be written to " + Learned() + ": ", Answer::Ok);
    prompter_.ExpectMessage("Save the learned words under another name?", Answer::No);
    ExpectCompleted();
    Click(Dialog().BtnAddI);
    EXPECT_EQ(form_->OptionSource().Words().Pending().size(), 2u) << "kept for the next try";

    Edit()->moveCursor(QTextCursor::End);
    Type(" Kern");
    Edit()->moveCursor(QTextCursor::End);
    Edit()->moveCursor(QTextCursor::PreviousWord);
    Trigger("EditSpellItem");
    prompter_.ExpectMessageStartingWith(
        "The learned words cannot be written to " + Learned() + ": ", Answer::Ok);
    prompter_.ExpectMessage("Save the learned words under another name?", Answer::Yes);
    prompter_.ExpectSaveFile(File("mine.txt"));
    ExpectCompleted();
    Click(Dialog().BtnAddI);
    EXPECT_EQ(ReadBytes(File("mine.txt")), "Vektorraum\nEigenwert\nKern\n");
    EXPECT_TRUE(form_->OptionSource().Words().Pending().empty());

    // At the end of the run, No drops them.
    Edit()->moveCursor(QTextCursor::End);
    Type(" Spur");
    Edit()->moveCursor(QTextCursor::End);
    Edit()->moveCursor(QTextCursor::PreviousWord);
    Trigger("EditSpellItem");
    prompter_.ExpectMessageStartingWith(
        "The learned words cannot be written to " + Learned() + ": ", Answer::Ok);
    prompter_.ExpectMessage("Save the learned words under another name?", Answer::No);
    ExpectCompleted();
    Click(Dialog().BtnAddI);
    prompter_.ExpectMessage("Save NONAME1 ?", Answer::No);
    prompter_.ExpectMessageStartingWith(
        "The learned words cannot be written to " + Learned() + ": ", Answer::Ok);
    prompter_.ExpectMessage("Save the learned words under another name?", Answer::No);
    ASSERT_TRUE(CloseForm());
    EXPECT_TRUE(QFileInfo(Learned()).isDir());
}

TEST_F(SpellCheck, ALogOffWritesLearnedWordsWithoutAQuestion) {
    StartWithList();
    Trigger("FileNewItem");
    Type("Vektorraum teh");
    Edit()->moveCursor(QTextCursor::Start);
    Trigger("EditSpellItem");
    Click(Dialog().BtnAddI);
    ASSERT_EQ(Shown(), "teh");
    EXPECT_TRUE(form_->SessionEnding(false));
    EXPECT_EQ(ReadBytes(Learned()), "Vektorraum\n");
}

// The replacement takes only what the document can store: a Windows-1252 text has no Greek.
TEST_F(SpellCheck, TheReplacementTakesWhatTheDocumentCanHold) {
    StartWithList();
    Open("old.tex", "wrod \xE9t\xE9\n");
    Trigger("EditSpellItem");
    ASSERT_EQ(Shown(), "wrod");
    Dialog().EditReplace->clear();
    TypeInto(Dialog().EditReplace, "w\u00F6rd\u03C9");
    EXPECT_EQ(Dialog().EditReplace->text(), "w\u00F6rd");
    Click(Dialog().BtnCancel);
}

} // namespace
} // namespace orvelt::testing
