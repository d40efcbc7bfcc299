#include "MainFormFixture.h"
#include "app/ButtonBar.h"
#include "app/TexMenu.h"
#include "options/DictionaryPage.h"
#include "options/EditorPage.h"
#include "options/GeneralPage.h"
#include "options/ProgramsPage.h"
#include "options/ShortcutsPage.h"
#include "options/options.h"
#include "platform/IniSettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusTipEvent>
#include <QTableWidget>
#include <QToolButton>
#include <sys/stat.h>

namespace orvelt::testing {
namespace {

// The options dialog as a person uses it: open it from the View menu, change controls, close it.
class OptionsDialog : public MainFormFixture {
protected:
    Topt& Dialog() { return form_->OptionsDialog(); }
    ProgramsPage& Programs() { return *Dialog().Programs; }
    ShortcutsPage& Shortcuts() { return *Dialog().Shortcuts; }
    void ShowOptions() {
        Trigger("ViewOptionsItem");
        ASSERT_TRUE(Dialog().isVisible());
    }
    void CloseWithButton() {
        QTest::mouseClick(Dialog().CloseButton, Qt::LeftButton);
        QApplication::processEvents();
    }
    void CloseWithCloseBox() {
        Dialog().close();
        QApplication::processEvents();
    }
    // Puts a text into a field and confirms it with Return (QTest types ASCII only).
    static void Enter(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->setText(text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    QStringList ProgramNames() {
        QStringList names;
        for (int i = 0; i < Programs().ListPrg->count(); ++i)
            names << Programs().ListPrg->item(i)->text();
        return names;
    }
    QStringList MenuItems() {
        QStringList items;
        for (QAction* item : form_->TeXMenu().Items())
            items << item->text() + " " + item->shortcut().toString();
        return items;
    }
    void StartWithPrograms(int count) {
        store_.Write("TeXProgsName1", ""); // a list that was written empty
        for (int i = 1; i <= count; ++i) {
            store_.Write("TeXProgsName" + std::to_string(i), "P" + std::to_string(100 + i));
            store_.Write("TeXProgsCommand" + std::to_string(i), "cmd" + std::to_string(i));
        }
        StartForm();
    }
    void AddSnippet(const QString& key, const QString& file) {
        ShortcutsPage& page = Shortcuts();
        page.EditShCut->setCurrentText(key);
        page.EditCommand->setText(file);
        QTest::mouseClick(page.BtnAddScut, Qt::LeftButton);
    }
    void WriteSnippet(const QString& path, const std::string& text) {
        WriteBytes(path, text);
        WriteBytes(path + ".orv", "{\\rtf1 " + text + "}");
    }
};

TEST_F(OptionsDialog, CategoryFontIsStoredByCloseAndColoursTheSample) {
    StartForm();
    ShowOptions();
    EditorPage& editor = *Dialog().Editor;
    editor.Categories->setCurrentRow(1);
    ASSERT_EQ(editor.Categories->currentItem()->text(), "comments");
    HighlightStyle green = Style(StyleKind::Comment);
    green.size = 12;
    green.styles = kBold;
    green.color = 0x008000;
    prompter_.ExpectFont(green);
    emit editor.Categories->itemDoubleClicked(editor.Categories->currentItem());
    EXPECT_EQ(prompter_.fontsShown.last(), OptionValues::DefaultStyles()[int(StyleKind::Comment)]);
    // Line 4 of the sample is a comment.
    const QTextBlock comment = editor.Sample->document()->findBlockByNumber(3);
    EXPECT_EQ(comment.text(), "% My first TeX-File");
    EXPECT_EQ(StyleOfFormat(comment.begin().fragment().charFormat()), green);
    const QTextBlock math = editor.Sample->document()->findBlockByNumber(8);
    EXPECT_EQ(StyleOfFormat(math.begin().fragment().charFormat()), Style(StyleKind::Text))
        << "\"I like Orvelt \" is text";
    EXPECT_FALSE(editor.Sample->textCursor().hasSelection());

    CloseWithButton();
    EXPECT_EQ(store_.Read("KommentarSchriftgr\xC3\xB6\xC3\x9F"
                          "e"),
              "12");
    EXPECT_EQ(store_.Read("KommentarSchriftstil"), "B");
    EXPECT_EQ(store_.Read("KommentarFarbe"), "32768");

    // The background, from a double-click on the sample.
    ShowOptions();
    prompter_.ExpectColor(0xEEEEEE);
    QTest::mouseDClick(editor.Sample->viewport(), Qt::LeftButton);
    EXPECT_EQ(editor.Sample->palette().color(QPalette::Base), ColorOfValue(0xEEEEEE));
    CloseWithButton();
    EXPECT_EQ(store_.Read("HintergrundFarbe"), std::to_string(0xEEEEEE));
}

TEST_F(OptionsDialog, TheCloseBoxStoresNothingAndTheNextShowingDropsUnconfirmedStyles) {
    StartForm();
    ShowOptions();
    Dialog().General->CheckAutoSave->setChecked(true);
    Dialog().General->EditAutoSave->setValue(9);
    EditorPage& editor = *Dialog().Editor;
    editor.Categories->setCurrentRow(0);
    HighlightStyle big = Style(StyleKind::Text);
    big.size = 20;
    prompter_.ExpectFont(big);
    emit editor.Categories->itemDoubleClicked(editor.Categories->currentItem());
    EXPECT_EQ(Style(StyleKind::Text).size, 20) << "live while the dialog is open";
    CloseWithCloseBox();
    EXPECT_FALSE(store_.Read("AutoSaveInterval").has_value());
    EXPECT_EQ(form_->OptionSource().AutoSaveMilliseconds(), 5 * 60000) << "the old period";
    EXPECT_EQ(Dialog().General->EditAutoSave->value(), 9) << "the field keeps the new number";

    ShowOptions();
    EXPECT_EQ(Style(StyleKind::Text).size, 10) << "the stored style again";
    CloseWithButton();
    EXPECT_EQ(store_.Read("AutoSaveInterval"), "9");
    EXPECT_EQ(form_->OptionSource().AutoSaveMilliseconds(), 9 * 60000);
}

TEST_F(OptionsDialog, GeneralAndEditorControlsActAtOnce) {
    StartForm();
    Open("latin.tex", "caf\xE9\n"); // Windows-1252: key conversion applies
    ShowOptions();
    Dialog().General->CheckConvert->setChecked(false);
    CloseWithButton();
    Edit()->moveCursor(QTextCursor::End);
    Type(QString(QChar(0xE4)));
    EXPECT_TRUE(Text().endsWith(QChar(0xE4))) << Text().toStdString();

    ShowOptions();
    EditorPage& editor = *Dialog().Editor;
    editor.WordWrapMode->setCurrentIndex(0);
    emit editor.WordWrapMode->activated(0);
    EXPECT_EQ(Edit()->lineWrapMode(), QPlainTextEdit::NoWrap) << "open windows re-wrap";
    // The delay takes digits only, typed or pasted.
    editor.EditDelay->clear();
    QTest::keyClicks(editor.EditDelay, "1a2");
    QApplication::clipboard()->setText("x34");
    editor.EditDelay->paste();
    EXPECT_EQ(editor.EditDelay->text(), "1234") << "four digits, the fifth dropped";
    EXPECT_EQ(form_->Options().braceDelay, "1234");
    // "Show Buttonbar." hides the bar before the dialog is closed.
    Dialog().General->CheckBar->setChecked(false);
    EXPECT_TRUE(form_->Buttonbar().isHidden());
    // A control's hint goes to the main window's status bar.
    QStatusTipEvent tip(Dialog().General->CheckBIB->statusTip());
    QApplication::sendEvent(Dialog().General->CheckBIB, &tip);
    EXPECT_EQ(Panel(2), "If disabled, BiBTeX-files are opened as Text-files.");
    // F1 asks for the control's help topic.
    Dialog().General->CheckASCII->setFocus();
    QTest::keyClick(Dialog().General->CheckASCII, Qt::Key_F1);
    EXPECT_EQ(help_.topics, QList<int>{111});
    CloseWithButton();
    EXPECT_EQ(store_.Read("Buttonbar"), "0");
    EXPECT_EQ(store_.Read("WordWrap"), "0") << "written at every closing";
    EXPECT_EQ(store_.Read("ConvertKeys"), "0");

    StartForm();
    EXPECT_TRUE(form_->Buttonbar().isHidden()) << "Buttonbar 0 gives no bar at start";
}

TEST_F(OptionsDialog, FreshStoreOffersTheDefaultProgramsAndAnEmptiedListStaysEmpty) {
    StartForm();
    EXPECT_EQ(MenuItems(),
              (QStringList{"BibTeX F8", "LaTeX F9", "PDFLaTeX F5", "View DVI ", "View PDF F6"}));
    EXPECT_EQ(form_->TeXMenu().Items()[1]->statusTip(), "latex -interaction=nonstopmode %f");
    EXPECT_FALSE(form_->TeXMenu().Items()[0]->isEnabled()) << "until the runner comes";
    QStringList menus;
    for (QAction* menu : form_->menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus.indexOf("&TeX") + 1, menus.indexOf("&Window"));
    EXPECT_EQ(form_->Buttonbar().Buttons().size(), 5u);

    ShowOptions();
    for (int i = 0; i < 5; ++i) {
        Programs().ListPrg->setFocus();
        QTest::keyClick(Programs().ListPrg, Qt::Key_Delete);
    }
    EXPECT_TRUE(ProgramNames().isEmpty());
    EXPECT_FALSE(Programs().EditName->isEnabled());
    QTest::keyClick(Programs().ListPrg, Qt::Key_Delete); // nothing to delete: nothing happens
    EXPECT_TRUE(MenuItems().isEmpty()) << "the menu follows a deletion at once";
    CloseWithCloseBox();
    ASSERT_TRUE(CloseForm());
    StartForm();
    EXPECT_TRUE(form_->Options().programs.empty());
    EXPECT_FALSE(form_->TeXMenu().Menu()->isEnabled());
}

TEST_F(OptionsDialog, AddRenameAndDeleteKeepToTheEntryThatIsShown) {
    StartWithPrograms(0);
    ShowOptions();
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(Programs().BtnAddPrg, Qt::LeftButton);
    EXPECT_EQ(ProgramNames(), (QStringList{"NONAME1", "NONAME2", "NONAME3"}));
    Programs().ListPrg->setCurrentRow(0);
    Enter(Programs().EditName, "tex");
    EXPECT_EQ(ProgramNames(), (QStringList{"NONAME2", "NONAME3", "tex"}))
        << "names compare upper-cased";
    EXPECT_EQ(Programs().ListPrg->currentRow(), 2) << "the renamed entry stays selected";
    Enter(Programs().EditName, "");
    EXPECT_EQ(Programs().EditName->text(), "tex") << "an empty name would end the stored list";
    CloseWithButton();
    EXPECT_EQ(MenuItems(), (QStringList{"NONAME2 ", "NONAME3 ", "tex "}));

    // Add after a deletion repeats a name: the new entry is the one edited, not its namesake.
    ShowOptions();
    Programs().ListPrg->setCurrentRow(1);
    Enter(Programs().EditCommline, "keep me");
    Programs().ListPrg->setCurrentRow(0);
    QTest::keyClick(Programs().ListPrg, Qt::Key_Delete);
    QTest::mouseClick(Programs().BtnAddPrg, Qt::LeftButton);
    EXPECT_EQ(ProgramNames(), (QStringList{"NONAME3", "NONAME3", "tex"}));
    EXPECT_EQ(Programs().ListPrg->currentRow(), 1);
    EXPECT_EQ(Programs().EditCommline->text(), "");
    Enter(Programs().EditCommline, "new one");
    EXPECT_EQ(form_->Options().programs[0].command, "keep me");
    EXPECT_EQ(form_->Options().programs[1].command, "new one");
    // Deleting the last entry selects the new last one.
    Programs().ListPrg->setCurrentRow(2);
    QTest::keyClick(Programs().ListPrg, Qt::Key_Delete);
    EXPECT_EQ(Programs().ListPrg->currentRow(), 1);

    // Text being typed when Escape closes the dialog is kept, even where closing moves no
    // focus out of the field (so no "field left" arrives).
    Programs().ListPrg->setFocus();
    QTest::keyClicks(Programs().EditCommline, " typed");
    QTest::keyClick(&Dialog(), Qt::Key_Escape);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(form_->Options().programs[1].command, "new one typed");
    EXPECT_EQ(store_.Read("TeXProgsCommand2"), "new one typed") << "written at every closing";
}

TEST_F(OptionsDialog, TheListHoldsFiftyEntries) {
    StartWithPrograms(50);
    ShowOptions();
    prompter_.ExpectMessage("The program list is full: it holds at most 50 programs.", Answer::Ok);
    QTest::mouseClick(Programs().BtnAddPrg, Qt::LeftButton);
    EXPECT_EQ(Programs().ListPrg->count(), 50);
    CloseWithButton();

    store_.Write("TeXProgsName51", "P151");
    store_.Write("TeXProgsName52", "P152");
    prompter_.ExpectMessage(
        "The settings hold 2 more programs than the 50 the TeX menu can hold; they are not used.",
        Answer::Ok);
    StartForm();
    EXPECT_EQ(form_->TeXMenu().Items().size(), 50);
}

TEST_F(OptionsDialog, ButtonBarSharesOneWidthAndEveryRowHoldsAButton) {
    StartWithPrograms(0);
    ShowOptions();
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(Programs().BtnAddPrg, Qt::LeftButton);
    Programs().ListPrg->setCurrentRow(2);
    Enter(Programs().EditName, "NONAME3 with a long name");
    Programs().EditButton->click();
    ASSERT_FALSE(form_->Options().programs[2].showButton);
    CloseWithButton();
    const auto& buttons = form_->Buttonbar().Buttons();
    ASSERT_EQ(buttons.size(), 2u) << "no button for the third";
    const int wide = QFontMetrics(form_->font()).horizontalAdvance("NONAME3 with a long name");
    EXPECT_EQ(buttons[0]->width(), wide + 12) << "the hidden one's name counts";
    EXPECT_EQ(buttons[0]->y(), buttons[1]->y());
    EXPECT_EQ(form_->Buttonbar().height(), 30);
    EXPECT_EQ(form_->TeXMenu().Items().size(), 3);

    form_->resize(wide, form_->height());
    QApplication::processEvents();
    ASSERT_EQ(form_->Buttonbar().Buttons().size(), 2u);
    EXPECT_EQ(form_->Buttonbar().Buttons()[0]->y(), 3) << "the first row is not left empty";
    EXPECT_EQ(form_->Buttonbar().Buttons()[1]->y(), 33);
    EXPECT_EQ(form_->Buttonbar().height(), 60);
}

TEST_F(OptionsDialog, CommandLinesSurviveARestartThroughTheSettingsFile) {
    const QString file = File("orvelt95.ini");
    const std::string command = "pdflatex \"-jobname=a b\" --x=1;2 #3 %f \xC3\xA4\xE2\x82\xAC";
    {
        IniSettingsStore ini(file);
        TMainForm form(TMainForm::Environment{ini, prompter_, {}, dir_.path() + "/prog", &help_});
        form.show();
        form.OptionsDialog().ShowOptions();
        ProgramsPage& page = *form.OptionsDialog().Programs;
        page.ListPrg->setCurrentRow(0);
        Enter(page.EditCommline, QString::fromStdString(command));
        form.OptionsDialog().accept();
        ASSERT_TRUE(form.close());
        form.WriteEndOfRunSettings();
    }
    IniSettingsStore again(file);
    EXPECT_EQ(ReadOptionValues(again).programs[0].command, command);
}

TEST_F(OptionsDialog, SnippetKeysAreOneRowsEachAndNeverAMenusKey) {
    const QString first = File("prog/Shortcut/first.tex");
    const QString second = File("prog/Shortcut/second.tex");
    WriteSnippet(first, "first");
    WriteSnippet(second, "second");
    store_.Write("Shortcut11", "Ctrl+J");
    store_.Write("Shortcut12", first.toStdString());
    store_.Write("Shortcut21", "Ctrl+J");
    store_.Write("Shortcut22", second.toStdString());
    store_.Write("Shortcut31", "Ctrl+A"); // an old settings file's
    store_.Write("Shortcut32", second.toStdString());
    StartNew();
    Key(Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(Text(), "first") << "a key stored twice is the first row's";
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Edit()->textCursor().selectedText(), "first") << "Ctrl+A still selects all";

    ShowOptions();
    EXPECT_EQ(Shortcuts().StringGrid1->rowCount(), 3) << "rows read are kept";
    for (const char* key : {"Ctrl+J", "Ctrl+A", "Ctrl+W"}) {
        SCOPED_TRACE(key);
        prompter_.ExpectMessage(QString(key) + " is already occupied!", Answer::Ok);
        AddSnippet(key, second);
    }
    EXPECT_EQ(Shortcuts().StringGrid1->rowCount(), 3);
    AddSnippet("", second);
    AddSnippet("Ctrl+K", "");
    EXPECT_EQ(Shortcuts().StringGrid1->rowCount(), 3) << "a key or a file missing: nothing";
    CloseWithCloseBox();
}

TEST_F(OptionsDialog, SaveAsShortcutThenAKeyInsertsTheSnippetInEveryWindow) {
    StartNew();
    Type("\\item ");
    const QString snippet = File("data/orvelt95/Shortcut/item.tex");
    prompter_.ExpectSaveFile(snippet);
    Trigger("FileSaveAsShortcutItem");
    ASSERT_TRUE(Dialog().isVisible());
    EXPECT_EQ(Dialog().Pages->currentWidget(), &Shortcuts());
    EXPECT_EQ(Shortcuts().EditCommand->text(), snippet);
    Shortcuts().EditShCut->setCurrentText("Shift+Ctrl+I");
    Shortcuts().EditCommand->setFocus();
    QTest::keyClick(Shortcuts().EditCommand, Qt::Key_Return);
    EXPECT_TRUE(Dialog().isVisible()) << "Enter adds the row and keeps the dialog open";
    EXPECT_EQ(Shortcuts().StringGrid1->item(0, 0)->text(), "Shift+Ctrl+I");
    EXPECT_TRUE(Shortcuts().EditCommand->text().isEmpty());
    CloseWithButton();
    EXPECT_EQ(store_.Read("Shortcut11"), "Shift+Ctrl+I");

    Trigger("FileNewItem");
    for (int window = 0; window < 2; ++window) {
        SCOPED_TRACE(window);
        ShowTab(window);
        Edit()->moveCursor(QTextCursor::End);
        Key(Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_TRUE(Text().endsWith("\\item ")) << Text().toStdString();
    }
}

TEST_F(OptionsDialog, DeletingTheOnlySnippetRowRemovesItsFilesAndItsKey) {
    const QString snippet = File("prog/Shortcut/fig.tex");
    WriteSnippet(snippet, "fig");
    store_.Write("Shortcut11", "Ctrl+J");
    store_.Write("Shortcut12", snippet.toStdString());
    StartForm();
    ShowOptions();
    QTableWidget* grid = Shortcuts().StringGrid1;
    grid->setFocus();
    grid->setCurrentCell(0, 0);
    prompter_.ExpectMessage("Delete the file '" + snippet + "', too?", Answer::Yes);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(snippet));
    EXPECT_FALSE(QFile::exists(snippet + ".orv"));
    EXPECT_EQ(grid->rowCount(), 1) << "one empty row remains";
    EXPECT_EQ(grid->item(0, 0), nullptr);
    QTest::keyClick(grid, Qt::Key_Delete); // the empty row: no question
    emit grid->cellDoubleClicked(0, 0);    // nothing to open
    EXPECT_TRUE(Dialog().isVisible());
    CloseWithCloseBox();
    ASSERT_TRUE(CloseForm());
    StartNew();
    EXPECT_TRUE(form_->Options().snippets.empty());
    EXPECT_TRUE(Active()->Scuts1->actions().isEmpty());
}

TEST_F(OptionsDialog, DictionaryIsChosenKeptAndNeverRewrittenUnchanged) {
    const QString words = File("words.txt");
    std::string bytes;
    for (int i = 0; i < 300000; ++i)
        bytes += "word" + std::to_string(i) + (i % 2 ? "\r\n" : "\n");
    ASSERT_GT(bytes.size(), 3'000'000u);
    WriteBytes(words, bytes);
    SetFileTime(words, 3, 4);
    const QDateTime stamp = QFileInfo(words).lastModified();
    StartForm();
    ShowOptions();
    prompter_.ExpectOpenFile(words);
    QTest::mouseClick(Dialog().DictionaryTab->BrowseDict, Qt::LeftButton);
    EXPECT_EQ(prompter_.dialogs.last().title, "Choose shortcut");
    EXPECT_EQ(form_->OptionSource().Words().Count(), 300000u) << "loaded whole";
    CloseWithCloseBox();
    ASSERT_TRUE(CloseForm());

    StartForm();
    EXPECT_EQ(Dialog().DictionaryTab->EditDict->text(), words);
    EXPECT_TRUE(form_->OptionSource().Words().Contains("word299999"));
    ASSERT_TRUE(CloseForm());
    EXPECT_EQ(ReadBytes(words), bytes);
    EXPECT_EQ(QFileInfo(words).lastModified(), stamp) << "a run that changed nothing";

    // An unreadable list (a directory: the tests run as root) warns and is never written over.
    store_.Write("Dictionary", dir_.path().toStdString());
    prompter_.ExpectMessageStartingWith("Error reading " + dir_.path() + ": ", Answer::Ok);
    StartForm();
    EXPECT_EQ(form_->OptionSource().Words().Count(), 0u);
    form_->OptionSource().Words().Add("learned");
    ASSERT_TRUE(CloseForm()); // the learned word goes to a file of its own
    EXPECT_TRUE(QFileInfo(dir_.path()).isDir());
}

TEST_F(OptionsDialog, SystemWordListLoadsAtTheNextStart) {
    const QString system = "/usr/share/dict/american-english";
    if (!QFile::exists(system))
        GTEST_SKIP() << "wamerican is not installed";
    const QDateTime stamp = QFileInfo(system).lastModified();
    StartForm();
    ShowOptions();
    prompter_.ExpectOpenFile(system);
    QTest::mouseClick(Dialog().DictionaryTab->BrowseDict, Qt::LeftButton);
    CloseWithButton();
    ASSERT_TRUE(CloseForm());
    StartForm();
    EXPECT_GT(form_->OptionSource().Words().Count(), 50000u);
    EXPECT_TRUE(form_->OptionSource().Words().Contains("spelling"));
    ASSERT_TRUE(CloseForm());
    EXPECT_EQ(QFileInfo(system).lastModified(), stamp);
}

// Qt's Close key and Ctrl+F4 are one key on some platforms (the offscreen one): given twice
// to one action, the key was ambiguous and closed nothing.
TEST_F(OptionsDialog, TheCloseKeysCloseADocument) {
    StartNew();
    Trigger("FileNewItem");
    for (QKeySequence key :
         {QKeySequence(Qt::CTRL | Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        SCOPED_TRACE(key.toString().toStdString());
        const int before = form_->ChildCount();
        QTest::keySequence(Edit(), key);
        QApplication::processEvents();
        EXPECT_EQ(form_->ChildCount(), before - 1);
    }
}

// A face this machine lacks is shown in a fixed-pitch one: the columns of a TeX source stay.
TEST_F(OptionsDialog, AMissingFaceFallsBackToFixedPitch) {
    HighlightStyle style = OptionValues::DefaultStyles()[int(StyleKind::Text)];
    for (const char* face : {"No Such Face Anywhere", "Courier New"}) {
        SCOPED_TRACE(face);
        style.face = face;
        // Every glyph as wide as every other (fontconfig's fixed faces do not all say so).
        const QFontMetrics metrics(FontOfStyle(style));
        EXPECT_EQ(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('M'));
        EXPECT_EQ(StyleOfFont(FontOfStyle(style), 0).face, face) << "the stored name stays";
    }
}

TEST_F(OptionsDialog, UnreadableKeywordListWarnsOnce) {
    QFile::remove(File("prog/KEYWORDS.TXT"));
    prompter_.ExpectMessageStartingWith("Error reading " + File("prog/KEYWORDS.TXT") + ": ",
                                        Answer::Ok);
    StartForm();
    EXPECT_EQ(prompter_.shown.size(), 1);
}

} // namespace
} // namespace orvelt::testing
