#include "MainFormFixture.h"

#include <QMenu>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

namespace orvelt::testing {
namespace {

using FileCommands = MainFormFixture;

TEST_F(FileCommands, ToolBarHasEveryButtonInOrderWithItsHint) {
    StartForm();
    const std::pair<const char*, const char*> expected[] = {
        {"BtnNew", "New"},
        {"OpenBtn", "Open"},
        {"SaveBtn", "Save"},
        {"BtnSaveAll", "Save all open files"},
        {"CutBtn", "Cut"},
        {"CopyBtn", "Copy"},
        {"PasteBtn", "Paste"},
        {"BtnFind", "Find"},
        {"BtnLog", "View Log-File"},
        {"BtnError", "Errors & Warnings"},
        {"BtnInputs", "Show input files."},
        {"BtnSpell", "Spellcheck"},
        {"BtnFonts", "Fonts"},
        {"BtnTeXCmd", "TeX-commands"},
        {"BtnGreek", "Greek letters"},
        {"BtnBinOps", "Binary operators"},
        {"BtnRelOps", "Relations"},
        {"BtnArrows", "Arrows"},
        {"BtnMisc", "Misc"},
        {"BtnTable", "Create table"},
    };
    auto* bar = form_->findChild<QToolBar*>("SpeedPanel");
    ASSERT_NE(bar, nullptr);
    QList<QToolButton*> buttons;
    for (QAction* a : bar->actions())
        if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(a)))
            buttons.append(b);
    ASSERT_EQ(buttons.size(), static_cast<qsizetype>(std::size(expected)));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].first);
        EXPECT_EQ(buttons[static_cast<qsizetype>(i)]->objectName(), expected[i].first);
        EXPECT_EQ(buttons[static_cast<qsizetype>(i)]->toolTip(), expected[i].second);
        EXPECT_FALSE(buttons[static_cast<qsizetype>(i)]->icon().isNull());
    }
    EXPECT_FALSE(form_->findChild<QToolButton*>("SaveBtn")->isEnabled());
    form_->findChild<QToolButton*>("BtnNew")->click();
    EXPECT_EQ(form_->ChildCount(), 1);
    Type("x");
    EXPECT_TRUE(form_->findChild<QToolButton*>("SaveBtn")->isEnabled());

    QStatusTipEvent tip(form_->Action("FileOpenItem")->statusTip());
    QApplication::sendEvent(form_->findChild<QToolButton*>("OpenBtn"), &tip);
    EXPECT_EQ(Panel(2), "Open existing document") << "hints go to the status bar";
}

TEST_F(FileCommands, DesktopKeysAndTheContextMenu) {
    StartNew();
    struct Row {
        const char* action;
        QString keys;
    };
    const Row rows[] = {{"FileNewItem", "Ctrl+N"},
                        {"FileOpenItem", "Ctrl+O"},
                        {"FileSaveAsItem", "Ctrl+Shift+S"},
                        {"FileExitItem", "Ctrl+Q"},
                        {"EditRedoItem", "Ctrl+Shift+Z"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.action);
        EXPECT_EQ(form_->Action(row.action)->shortcut().toString(), row.keys);
    }
    Type("ab");
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Text(), "ab") << "Ctrl+Y redoes";

    QStringList items;
    for (QAction* action : Active()->PopupMenu1->actions())
        if (!action->isSeparator())
            items << action->text();
    EXPECT_EQ(items, (QStringList{"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Select &All",
                                  "Shortcuts"}));
}

// A refused or aborted open was listed among the recent files.
TEST_F(FileCommands, OpenRecordsLastDirAndRecentFile) {
    QDir(dir_.path()).mkdir("papers");
    WriteBytes(File("papers/thesis.tex"), "\\chapter{One}\n");
    StartForm();
    prompter_.ExpectOpenFile(std::nullopt);
    Trigger("FileOpenItem");
    EXPECT_EQ(form_->ChildCount(), 0) << "a cancelled dialog changes nothing";
    EXPECT_EQ(prompter_.dialogs.last().directory, QDir::currentPath())
        << "until a file was opened, where the program was started";
    EXPECT_EQ(form_->LastDir(), QDir::currentPath());
    prompter_.ExpectOpenFile(File("missing.tex"));
    prompter_.ExpectMessage(
        "An error occured while opening 'missing.tex'.\nNo such file or directory", Answer::Ok);
    Trigger("FileOpenItem");
    EXPECT_EQ(form_->ChildCount(), 0);
    EXPECT_EQ(form_->Recent().Paths()[0], "");

    prompter_.ExpectOpenFile(File("papers/thesis.tex"));
    Trigger("FileOpenItem");
    EXPECT_EQ(prompter_.dialogs.last().title, "Open file");
    EXPECT_EQ(Active()->FileName, File("papers/thesis.tex"));
    EXPECT_EQ(form_->LastDir(), dir_.path() + "/papers");
    EXPECT_EQ(form_->Recent().Paths()[0], File("papers/thesis.tex").toStdString());
}

TEST_F(FileCommands, NewFromTemplateIsAnUntitledCopy) {
    WriteBytes(File("prog/Template/memo.tex"), "\\documentclass{article}\n");
    StartForm();
    prompter_.ExpectOpenFile(File("prog/Template/memo.tex"));
    Trigger("FileNewTemplateItem");
    EXPECT_EQ(prompter_.dialogs.last().title, "New from...");
    EXPECT_EQ(prompter_.dialogs.last().directory, dir_.path() + "/prog/Template");
    EXPECT_EQ(Active()->windowTitle(), "NONAME1");
    EXPECT_TRUE(Active()->FileName.isEmpty());
    EXPECT_FALSE(Active()->Modified) << "nothing typed yet: closing it loses nothing";
    EXPECT_EQ(Text(), "\\documentclass{article}\n");
    EXPECT_EQ(form_->LastDir(), QDir::currentPath());
    EXPECT_EQ(form_->Recent().Paths()[0], "");

    // With a sidecar beside it, the template shows the sidecar's colours.
    WriteBytes(File("prog/Template/memo.tex.orv"), "{\\rtf1 \\\\documentclass\\{article\\}\\par }");
    prompter_.ExpectOpenFile(File("prog/Template/memo.tex"));
    Trigger("FileNewTemplateItem");
    EXPECT_EQ(Active()->windowTitle(), "NONAME2");
    EXPECT_FALSE(Active()->Modified);
}

// User templates were written into the program's own data folder, which an installed program
// cannot write. The user's copy is offered first afterwards, the installed one still at hand.
TEST_F(FileCommands, SaveAsTemplateWritesTheUsersOwnTemplate) {
    StartNew();
    Type("\\documentclass{letter}");
    const QString mine = File("data/orvelt95/Template");
    prompter_.ExpectSaveFile(mine + "/letter");
    Trigger("FileSaveAsTemplateItem");
    EXPECT_EQ(prompter_.dialogs.last().directory, mine);
    const QString written = mine + "/letter.tex";
    EXPECT_EQ(ReadBytes(written), "\\documentclass{letter}");
    EXPECT_TRUE(QFile::exists(written + ".orv"));
    EXPECT_EQ(Active()->windowTitle(), written);
    EXPECT_EQ(Active()->FileName, written);
    EXPECT_EQ(form_->Windowlist(), QStringList{written});
    EXPECT_EQ(form_->TabControl()->tabText(0), "letter.tex");
    EXPECT_FALSE(Active()->Modified);
    EXPECT_EQ(form_->LastDir(), QDir::currentPath()) << "LastDir is not changed";
    EXPECT_EQ(form_->Recent().Paths()[0], "") << "nor the recent files";
    prompter_.ExpectOpenFile(std::nullopt);
    Trigger("FileNewTemplateItem");
    EXPECT_EQ(prompter_.dialogs.last().directory, mine);
    EXPECT_EQ(prompter_.dialogs.last().places, (QStringList{mine, File("prog/Template")}));
}

TEST_F(FileCommands, SaveAsShortcutSavesInTheShortcutDirectory) {
    StartNew();
    Type("\\item");
    prompter_.ExpectSaveFile(std::nullopt);
    Trigger("FileSaveAsShortcutItem");
    EXPECT_TRUE(Active()->Modified) << "a cancelled dialog changes nothing";
    prompter_.ExpectSaveFile(File("data/orvelt95/Shortcut/item"));
    Trigger("FileSaveAsShortcutItem");
    EXPECT_EQ(prompter_.dialogs.last().directory, File("data/orvelt95/Shortcut"));
    EXPECT_TRUE(QFile::exists(File("data/orvelt95/Shortcut/item.tex.orv")));
}

TEST_F(FileCommands, SnippetKeyPastesTheSidecarsStyledText) {
    const QString snippet = File("prog/Shortcut/fig.tex");
    WriteBytes(snippet, "\\begin{figure}");
    WriteBytes(File("prog/Shortcut/table.tex"), "installed");
    QDir().mkpath(File("data/orvelt95/Shortcut"));
    WriteBytes(File("data/orvelt95/Shortcut/table.tex"), "mine");
    store_.Write("Shortcut11", "Ctrl+J");
    store_.Write("Shortcut12", snippet.toStdString());
    StartNew();
    QStringList snippets;
    for (QAction* action : Active()->Scuts1->actions())
        snippets << action->text() + " " + action->shortcut().toString() + " " +
                        action->statusTip();
    EXPECT_EQ(snippets, (QStringList{"fig.tex Ctrl+J " + snippet,
                                     "table.tex  " + File("data/orvelt95/Shortcut/table.tex")}))
        << "the user's copy wins";
    QAction* item = Active()->Scuts1->actions().first();
    Type("a");

    // Regression guard: a snippet never opened and saved has no sidecar.
    prompter_.ExpectMessage("Error opening file: " + snippet + ".orv.", Answer::Ok);
    item->trigger();
    EXPECT_EQ(Text(), "a");

    WriteBytes(snippet + ".orv", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf1\\b \\\\begin}");
    Active()->SetModified(false);
    item->trigger();
    EXPECT_EQ(Text(), "a\\begin");
    EXPECT_TRUE(Active()->Modified);
    EXPECT_EQ(QApplication::clipboard()->text(), "\\begin");
    EXPECT_EQ(StyleAt(2), Style(StyleKind::UserCommand)) << "coloured as typed: no keyword list";
}

TEST_F(FileCommands, ExitAsksFirst) {
    StartForm();
    prompter_.ExpectMessage("Ok to exit Orvelt 95?", Answer::No);
    Trigger("FileExitItem");
    EXPECT_TRUE(form_->isVisible());
    prompter_.ExpectMessage("Ok to exit Orvelt 95?", Answer::Yes);
    Trigger("FileExitItem");
    EXPECT_FALSE(form_->isVisible());
}

TEST_F(FileCommands, CutPasteMarkModifiedAndUndoTakesBack) {
    StartForm();
    Open("c.tex", "cut me");
    Edit()->SetSelection(0, 4);
    Trigger("EditCutItem");
    EXPECT_EQ(Text(), "me");
    EXPECT_TRUE(Active()->Modified);
    Active()->SetModified(false);
    Edit()->moveCursor(QTextCursor::End);
    Trigger("EditPasteItem");
    EXPECT_EQ(Text(), "mecut ");
    EXPECT_TRUE(Active()->Modified);
    Trigger("EditUndoItem");
    EXPECT_EQ(Text(), "me");
    Edit()->SetSelection(0, 2);
    Trigger("EditCopyItem");
    EXPECT_EQ(QApplication::clipboard()->text(), "me");
}

// A .bib opened as text loses nothing, and was no reason for a warning that it would.
TEST_F(FileCommands, SaveAllSavesEveryModifiedDocument) {
    StartForm();
    Open("a.tex", "a");
    Type("1");
    Open("b.tex", "b");
    Type("2");
    Trigger("FileSaveAllItem");
    EXPECT_EQ(ReadBytes(File("a.tex")), "1a");
    EXPECT_EQ(ReadBytes(File("b.tex")), "2b");
    EXPECT_FALSE(form_->Action("FileSaveItem")->isEnabled());
    EXPECT_NE(Panel(2), "File saved successfully.") << "Save all shows no message";
}

// The document window's own menu also bound Ctrl+W and Ctrl+F4, and with two owners the key
// did nothing at all.
TEST_F(FileCommands, CloseKeyClosesTheDocumentWindow) {
    StartNew();
    Trigger("FileNewItem");
    for (QMdiSubWindow* sub : form_->MdiArea()->subWindowList())
        for (QAction* action : sub->systemMenu()->actions())
            for (const QKeySequence& key : {QKeySequence("Ctrl+W"), QKeySequence("Ctrl+F4")})
                EXPECT_FALSE(action->shortcuts().contains(key)) << action->text().toStdString();
    form_->Action("WindowCloseChild")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(form_->ChildCount(), 1);
    EXPECT_EQ(form_->Windowlist(), QStringList{"NONAME1"});
    EXPECT_TRUE(form_->Action("WindowCloseChild")->shortcuts().contains(QKeySequence("Ctrl+F4")));
}

} // namespace
} // namespace orvelt::testing
