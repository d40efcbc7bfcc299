#include "MainFormFixture.h"
#include "app/ButtonBar.h"
#include "app/TexMenu.h"
#include "app/commands/CommandState.h"
#include "options/EditorPage.h"
#include "options/options.h"

#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace orvelt::testing {
namespace {

// A window of a kind whose own issue is still to come: only its kind and modified flag.
class StandIn : public ChildWindow {
public:
    explicit StandIn(ChildKind kind) : kind_(kind) {}
    ChildKind Kind() const override { return kind_; }
    bool IsModified() const override { return modified_; }
    void SetModified(bool modified) {
        modified_ = modified;
        emit ModifiedChanged(modified);
    }

private:
    ChildKind kind_;
    bool modified_ = false;
};

// The situations, one column each: A nothing open (bar off), B clean named source, C modified
// source, D untitled source, E log window, F clean bibliography, G modified bibliography,
// H modified source with the options dialog in front.
struct Expected {
    const char* name;
    const char* states; // '+' enabled, '-' disabled, per situation A..H
};
const Expected kTable[] = {
    {"FileNewMenu", "++++++++"},
    {"FileNewTemplateItem", "++++++++"},
    {"FileNewItem", "++++++++"},
    {"BtnNew", "++++++++"},
    {"FileOpenItem", "++++++++"},
    {"OpenBtn", "++++++++"},
    {"FileExitItem", "++++++++"},
    {"FileSaveItem", "--+---++"},
    {"SaveBtn", "--+---++"},
    {"FileSaveAsMenu", "-+++-+++"},
    {"FileSaveAsItem", "-+++-+++"},
    {"FileSaveAsShortcutItem", "-+++---+"},
    {"FileSaveAsTemplateItem", "-+++---+"},
    {"FileSaveAllItem", "-+++++++"},
    {"BtnSaveAll", "-+++++++"},
    {"EditUndoItem", "-+++-+++"},
    {"EditRedoItem", "-+++-+++"},
    {"EditCutItem", "-+++-+++"},
    {"EditCopyItem", "-+++-+++"},
    {"EditPasteItem", "-+++-+++"},
    {"CutBtn", "-+++-+++"},
    {"CopyBtn", "-+++-+++"},
    {"PasteBtn", "-+++-+++"},
    {"ViewRefreshItem", "-+++-+++"},
    {"ViewOptionsItem", "++++++++"},
    {"WindowTileItem", "-+++++++"},
    {"WindowCascadeItem", "-+++++++"},
    {"WindowArrangeItem", "-+++++++"},
    {"WindowCloseChild", "-+++++++"},
    {"HelpAboutItem", "++++++++"},
    {"FileNewBibItem", "++++++++"},
    {"FileImportBibItem", "-----++-"},
    {"EditFindItem", "-+++-+++"},
    {"BtnFind", "-+++-+++"},
    {"EditFindAgainItem", "--------"}, // no search text yet: see the find dialog's tests
    {"EditReformatItem", "-+++---+"},
    {"ViewLogFileItem", "-+++-+++"},
    {"BtnLog", "-+++-+++"},
    {"ViewErrorsItem", "-+++---+"},
    {"BtnError", "-+++---+"},
    {"BtnTable", "-+++---+"},
    {"BtnFonts", "-+++---+"},
    {"BtnTeXCmd", "-+++---+"},
    {"BtnGreek", "-+++---+"},
    {"BtnBinOps", "-+++---+"},
    {"BtnRelOps", "-+++---+"},
    {"BtnArrows", "-+++---+"},
    {"BtnMisc", "-+++---+"},
    // A word list is chosen throughout.
    {"EditSpellItem", "-+++---+"},
    {"BtnSpell", "-+++---+"},
    {"BtnInputs", "-+++---+"},
    {"ProjectNewItem", "++++++++"},
    {"ProjectSaveItem", "--------"},
    {"HelpContentsItem", "--------"},
    {"TeXItem1", "-+++-+++"},
};

class MenuState : public MainFormFixture {
protected:
    // The enabled state of a command by its object name, as a person sees it.
    bool Enabled(const QString& name) {
        if (QAction* action = form_->Action(name))
            return action->isEnabled();
        if (auto* widget = form_->findChild<QWidget*>(name))
            return widget->isEnabled();
        ADD_FAILURE() << "no command " << name.toStdString();
        return false;
    }
    void Check(int column, const char* situation) {
        SCOPED_TRACE(situation);
        for (const Expected& row : kTable) {
            EXPECT_EQ(Enabled(row.name), row.states[column] == '+') << row.name;
            if (QString(row.name) != "TeXItem1")
                continue;
            for (QPushButton* button : form_->Buttonbar().Buttons()) {
                EXPECT_EQ(button->isEnabled(), row.states[column] == '+')
                    << button->objectName().toStdString();
            }
        }
    }
    StandIn* AddStandIn(ChildKind kind) {
        auto* child = new StandIn(kind);
        child->setWindowTitle(kind == ChildKind::Log ? "paper.log" : "refs.bib");
        form_->ShowNewChild(child);
        return child;
    }
};

TEST_F(MenuState, EveryCommandFollowsTheActiveWindow) {
    store_.Write("Buttonbar", "0");
    WriteBytes(File("words.txt"), "word\n");
    store_.Write("Dictionary", File("words.txt").toStdString());
    StartForm();
    Check(0, "A: nothing open, the bar off");

    Open("named.tex", "text\n");
    Check(1, "B: a clean named source window");
    Type("x");
    Check(2, "C: a modified source window");
    EXPECT_EQ(Panel(1), "Modified");
    Trigger("FileNewItem");
    Check(3, "D: an untitled source window");

    // From here on the button bar shows too: its buttons follow the TeX items' row.
    form_->Options().buttonbar = true;
    form_->BuildButtonBar();
    ASSERT_EQ(form_->Buttonbar().Buttons().size(), 5u);
    ShowTab(0);
    WriteBytes(File("named.log"), "This is pdfTeX\n");
    Trigger("ViewLogFileItem");
    ChildWindow* log = form_->ActiveChild();
    ASSERT_EQ(log->Kind(), ChildKind::Log);
    Check(4, "E: a log window");
    EXPECT_EQ(Panel(0), "") << "rows are a text's";
    EXPECT_EQ(Panel(3), "");
    StandIn* bib = AddStandIn(ChildKind::Bibliography);
    Check(5, "F: a clean bibliography window");
    bib->SetModified(true);
    Check(6, "G: a modified bibliography window");
    EXPECT_EQ(Panel(1), "Modified");
    bib->SetModified(false);
    Check(5, "G -> F: it was saved");

    ShowTab(0);
    Trigger("ViewOptionsItem");
    ASSERT_TRUE(form_->OptionsDialog().isVisible());
    Check(7, "H: the options dialog in front of a modified source window");
    form_->OptionsDialog().reject();

    // Closing every window clears panels 3 and 4.
    for (ChildWindow* child : {log, static_cast<ChildWindow*>(bib)})
        child->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form_->TabControl()->count(), 2) << "a closed window's tab goes with it";
    prompter_.ExpectMessage("Save " + File("named.tex") + " ?", Answer::No);
    while (form_->ChildCount() > 0) {
        form_->ActiveChild()->parentWidget()->close();
        QApplication::processEvents();
    }
    Check(0, "the last window closed");
    EXPECT_EQ(Panel(3), "");
    EXPECT_EQ(Panel(4), "");
}

TEST_F(MenuState, EveryActionHasARule) {
    StartForm();
    QStringList names;
    std::function<void(QMenu*)> walk = [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            names << action->objectName();
            if (action->menu())
                walk(action->menu());
        }
    };
    for (QAction* top : form_->menuBar()->actions())
        if (top->menu())
            walk(top->menu());
    for (auto* button : form_->findChild<QToolBar*>("SpeedPanel")->findChildren<QToolButton*>())
        if (!button->objectName().startsWith("qt_"))
            names << button->objectName();
    for (QPushButton* button : form_->Buttonbar().Buttons())
        names << button->objectName();
    for (QAction* action : form_->actions())
        names << action->objectName();
    EXPECT_GT(names.size(), 70);
    for (const QString& name : names)
        EXPECT_TRUE(RuleOf(name.toStdString()).has_value()) << '"' << name.toStdString() << '"';
    // Keys the menus name.
    EXPECT_EQ(form_->Action("EditFindAgainItem")->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(form_->Action("ViewLogFileItem")->shortcut(), QKeySequence(Qt::Key_F11));
    EXPECT_EQ(form_->Action("ViewErrorsItem")->shortcut(), QKeySequence(Qt::Key_F12));
    EXPECT_EQ(form_->Action("EditFindItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_EQ(form_->Action("ViewErrorsItem")->text(), "&Errors && Warnings");
}

// Saving a window behind the active one disabled Save and cleared "Modified" while the active
// one had unsaved text; a cancelled shutdown left panel 1 empty over a modified window.
TEST_F(MenuState, SaveAndPanelOneFollowTheActiveWindowOnly) {
    StartForm();
    Open("behind.tex", "one\n");
    Type("x");
    ChildWindow* behind = Active();
    Open("front.tex", "two\n");
    Type("y");
    ASSERT_NE(Active(), behind);
    ASSERT_TRUE(behind->SaveDocument());
    EXPECT_TRUE(form_->Action("FileSaveItem")->isEnabled());
    EXPECT_EQ(Panel(1), "Modified");

    // Ctrl+S with nothing modified writes nothing and asks nothing.
    ShowTab(0);
    const std::string bytes = ReadBytes(File("behind.tex"));
    SetFileTime(File("behind.tex"), 1, 2);
    const QDateTime stamp = QFileInfo(File("behind.tex")).lastModified();
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(QFileInfo(File("behind.tex")).lastModified(), stamp);
    EXPECT_EQ(Panel(1), "");

    Type("w"); // behind.tex modified again
    Trigger("FileNewItem");
    Type("z");
    // Three modified windows, closed from the least recently active: front.tex (No), then
    // behind.tex (Cancel), the second of the three.
    prompter_.ExpectMessage("Save " + File("front.tex") + " ?", Answer::No);
    prompter_.ExpectMessage("Save " + File("behind.tex") + " ?", Answer::Cancel);
    EXPECT_FALSE(CloseForm());
    EXPECT_EQ(Active()->windowTitle(), File("behind.tex"));
    EXPECT_EQ(Panel(1), "Modified");
    EXPECT_TRUE(form_->Action("FileSaveItem")->isEnabled());
    EXPECT_EQ(bytes, ReadBytes(File("behind.tex"))) << "Ctrl+S on a clean window wrote nothing";
    ShowTab(1); // front.tex was closed with its No
    EXPECT_EQ(Active()->windowTitle(), "NONAME3");
    EXPECT_EQ(Panel(1), "Modified") << "the window switched to shows its own state";
}

TEST_F(MenuState, TabsStayWithTheirWindowsWhenCaptionsRepeat) {
    StartForm();
    Trigger("FileNewItem");
    Trigger("FileNewItem");
    ShowTab(0);
    CloseActive();
    Trigger("FileNewItem"); // NONAME2 again: two windows, one caption
    ASSERT_EQ(form_->Windowlist(), (QStringList{"NONAME2", "NONAME2"}));
    TMDIChild* second = Active();
    Type("second");
    ShowTab(0);
    EXPECT_NE(Active(), second);
    ShowTab(1);
    EXPECT_EQ(Active(), second);
    ShowTab(0);
    CloseActive();
    QApplication::processEvents();
    ASSERT_EQ(form_->TabControl()->count(), 1);
    EXPECT_EQ(Active(), second);
    EXPECT_EQ(Text(), "second");
}

// A second window on an open file let a save of one overwrite the other's changes.
TEST_F(MenuState, OpeningAnOpenFileBringsItsWindowForward) {
    StartForm();
    Open("paper.tex", "text\n");
    Type("edited ");
    TMDIChild* paper = Active();
    Trigger("FileNewItem");

    prompter_.ExpectOpenFile(File("paper.tex"));
    Trigger("FileOpenItem");
    EXPECT_EQ(Active(), paper);
    EXPECT_EQ(form_->ChildCount(), 2);

    Trigger("FileNewItem");
    form_->RegisterFile(File("paper.tex"));
    Trigger("N11");
    EXPECT_EQ(Active(), paper);

    Trigger("FileNewItem");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(File("./paper.tex"))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &enter);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &drop);
    EXPECT_EQ(Active(), paper) << "another spelling of the same path";
    EXPECT_EQ(form_->ChildCount(), 4);
    EXPECT_TRUE(Text().startsWith("edited ")) << "the changes are still there";

    prompter_.ExpectOpenFile(File("paper.tex"));
    Trigger("FileNewTemplateItem");
    EXPECT_EQ(form_->ChildCount(), 5) << "a template is always a new copy";
}

class RefreshLayout : public MenuState {
protected:
    void SetCommentColour(std::uint32_t colour) {
        Trigger("ViewOptionsItem");
        EditorPage& editor = *form_->OptionsDialog().Editor;
        editor.Categories->setCurrentRow(1);
        HighlightStyle style = Style(StyleKind::Comment);
        style.color = colour;
        prompter_.ExpectFont(style);
        emit editor.Categories->itemDoubleClicked(editor.Categories->currentItem());
        form_->OptionsDialog().accept();
        QApplication::processEvents();
    }
};

TEST_F(RefreshLayout, ReimportsWithTheNewColoursAndLosesNothing) {
    StartForm();
    Open("paper.tex", "% note\n\\alpha\n");
    SaveUnchanged(); // a sidecar to be replaced
    ASSERT_TRUE(QFile::exists(File("paper.tex.orv")));
    SetCommentColour(0x123456);
    Trigger("ViewRefreshItem");
    EXPECT_EQ(form_->ChildCount(), 1);
    EXPECT_EQ(StyleAt(0).color, 0x123456u);
    EXPECT_EQ(Text(), "% note\n\\alpha\n");

    // Cancel on the question changes nothing.
    Type("x");
    prompter_.ExpectMessage("Save " + File("paper.tex") + " ?", Answer::Cancel);
    Trigger("ViewRefreshItem");
    EXPECT_EQ(form_->ChildCount(), 1);
    EXPECT_TRUE(Active()->Modified);
    EXPECT_TRUE(Text().startsWith("x"));

    // A file that is gone: the import's error, and the window and its text stay.
    SaveUnchanged();
    ASSERT_TRUE(QFile::exists(File("paper.tex.orv")));
    QFile::remove(File("paper.tex"));
    prompter_.ExpectMessage(
        "An error occured while opening 'paper.tex'.\nNo such file or directory", Answer::Ok);
    Trigger("ViewRefreshItem");
    EXPECT_EQ(form_->ChildCount(), 1);
    EXPECT_TRUE(Text().startsWith("x% note"));
    EXPECT_TRUE(QFile::exists(File("paper.tex.orv"))) << "maybe the only copy of the text";
}

TEST_F(RefreshLayout, ReopensAsASourceWindowWhateverTheName) {
    store_.Write("UseBIBEdit", "0");
    StartForm();
    for (const char* name : {"refs.bib", "notes", "old.orp"}) {
        SCOPED_TRACE(name);
        if (QString(name).endsWith(".orp")) { // a source saved under a project's name
            Open("old.tex", "@misc{a, note={% x}}\n");
            prompter_.ExpectSaveFile(File(name));
            Trigger("FileSaveAsItem");
        } else {
            Open(name, "@misc{a, note={% x}}\n");
        }
        ASSERT_NE(Active(), nullptr);
        Trigger("ViewRefreshItem"); // no question, no warning, no project
        ASSERT_NE(Active(), nullptr);
        EXPECT_EQ(Active()->FileNameOf(), File(name));
        CloseActive();
    }
}

TEST_F(RefreshLayout, AnUntitledWindowIsStyledInPlace) {
    StartNew();
    Type("% a ");
    Type("b");
    SetCommentColour(0x654321);
    EXPECT_NE(StyleAt(0).color, 0x654321u) << "typed text keeps the colour it was given";
    Trigger("ViewRefreshItem");
    EXPECT_EQ(StyleAt(0).color, 0x654321u);
    EXPECT_EQ(StyleAt(4).color, 0x654321u);
    EXPECT_TRUE(Active()->Modified);
    EXPECT_EQ(form_->ChildCount(), 1);
    ASSERT_TRUE(Edit()->document()->isUndoAvailable());
    Edit()->undo();
    EXPECT_NE(Text(), "% a b") << "Undo still undoes the typing";
}

} // namespace
} // namespace orvelt::testing
