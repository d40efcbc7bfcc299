#include "MainFormFixture.h"
#include "project/ProjectSession.h"
#include "project/ProjectTree.h"
#include "widgets/PanelSplitter.h"

#include <QMenu>
#include <QMimeData>

namespace orvelt::testing {
namespace {

// The project as a person works with it: the Project menu, the tree and its pop-up menu.
class Projects : public MainFormFixture {
protected:
    ProjectSession& Session() { return form_->Project(); }
    ProjectTree& Tree() { return *Session().Tree(); }
    // Each node as "text image", the root first.
    QStringList Nodes() {
        QStringList nodes;
        QTreeWidgetItem* root = Tree().topLevelItem(0);
        if (!root)
            return nodes;
        nodes << root->text(0) + " " + root->data(0, ProjectTree::kImageRole).toString();
        for (int i = 0; i < root->childCount(); ++i)
            nodes << root->child(i)->text(0) + " " +
                         root->child(i)->data(0, ProjectTree::kImageRole).toString();
        return nodes;
    }
    void NewProject(const QString& name) {
        prompter_.ExpectSaveFile(File(name));
        Trigger("ProjectNewItem");
    }
    void AddFile(const QString& name) {
        if (!QFile::exists(File(name)))
            WriteBytes(File(name), "\\input{x}\n");
        prompter_.ExpectOpenFile(File(name));
        Trigger("ProjectAddFileItem");
    }
    // A right-click on a file node, then an entry of the pop-up menu.
    void OnNode(int child, QAction* entry) {
        QTreeWidgetItem* item = Tree().topLevelItem(0)->child(child);
        const QPoint at = Tree().visualItemRect(item).center();
        emit Tree().customContextMenuRequested(at);
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        entry->trigger();
    }
    void DoubleClick(int child) {
        emit Tree().itemDoubleClicked(Tree().topLevelItem(0)->child(child), 0);
        QApplication::processEvents();
    }
    void Drag(int dx) {
        QWidget* splitter = form_->findChild<QWidget*>("SizePanel");
        QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(2, 10));
        QTest::mouseMove(splitter, QPoint(2 + dx, 10));
        QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(2 + dx, 10));
    }
    bool Enabled(const char* action) { return form_->Action(action)->isEnabled(); }
};

TEST_F(Projects, BuiltSavedAndOpenedAgainAsItWas) {
    StartForm();
    EXPECT_FALSE(Enabled("ProjectSaveItem"));
    EXPECT_TRUE(Enabled("ProjectNewItem"));
    QDir().mkpath(File("sub"));
    NewProject("thesis");
    EXPECT_EQ(Session().FileName(), File("thesis.orp")) << "a name it can be opened by";
    EXPECT_TRUE(form_->findChild<QWidget*>("TreePanel")->isVisible());
    for (const char* action :
         {"ProjectSaveItem", "ProjectSaveAsItem", "ProjectCloseItem", "ProjectAddFileItem",
          "ProjectRemoveFileItem", "ProjectMainFileItem"})
        EXPECT_TRUE(Enabled(action)) << action;
    // Out of order, with blanks, and two files of one name.
    for (const char* name : {"sub/intro.tex", "chap 1.tex", "appendix.tex", "intro.tex"})
        AddFile(name);
    EXPECT_EQ(Nodes(), (QStringList{"thesis.orp 0", "appendix.tex 1", "chap 1.tex 1", "intro.tex 1",
                                    "intro.tex 1"}));
    EXPECT_TRUE(Session().IsModified());
    OnNode(1, Tree().MainFileItem);
    EXPECT_EQ(Nodes()[2], "chap 1.tex 2");
    EXPECT_EQ(form_->ProjectMainFile(), File("chap 1.tex"));
    EXPECT_TRUE(form_->IsInProject(File("sub/intro.tex")));
    EXPECT_FALSE(form_->IsInProject(File("sub/../intro.tex"))) << "exact paths only";
    Drag(50);
    const int width = form_->findChild<QWidget*>("TreePanel")->width();

    Trigger("ProjectSaveItem");
    EXPECT_EQ(Panel(2), "Project saved successfully.");
    EXPECT_FALSE(Session().IsModified());
    const std::string saved = ReadBytes(File("thesis.orp"));
    EXPECT_EQ(saved, "[Project]\nPanelWidth=" + std::to_string(width) +
                         "\n[ProjectFiles]\nFile1=appendix.tex\nFile2=chap 1.tex\n"
                         "File3=intro.tex\nFile4=sub/intro.tex\n[MainFile]\nFileNumber=2\n");
    Trigger("ProjectSaveItem");
    EXPECT_EQ(ReadBytes(File("thesis.orp")), saved) << "the same bytes again";

    Trigger("ProjectCloseItem"); // clean: no question
    EXPECT_FALSE(form_->findChild<QWidget*>("TreePanel")->isVisible());
    EXPECT_FALSE(Enabled("ProjectSaveItem"));
    EXPECT_EQ(form_->ProjectMainFile(), "");

    prompter_.ExpectOpenFile(File("thesis.orp"));
    Trigger("ProjectOpenItem");
    EXPECT_EQ(prompter_.dialogs.last().title, "Open project");
    EXPECT_EQ(Nodes(), (QStringList{"thesis.orp 0", "appendix.tex 1", "chap 1.tex 2", "intro.tex 1",
                                    "intro.tex 1"}));
    EXPECT_EQ(form_->findChild<QWidget*>("TreePanel")->width(), width);
    EXPECT_EQ(form_->ProjectMainFile(), File("chap 1.tex"));
    EXPECT_EQ(form_->Action("N11")->statusTip(), File("thesis.orp")) << "a recent file";
}

TEST_F(Projects, ACopiedProjectWorksOnItsOwnFiles) {
    StartForm();
    NewProject("book.orp");
    AddFile("chap.tex");
    OnNode(0, Tree().MainFileItem);
    Trigger("ProjectSaveItem");
    Trigger("ProjectCloseItem");
    QDir().mkpath(File("copy"));
    QFile::copy(File("book.orp"), File("copy/book.orp"));
    WriteBytes(File("copy/chap.tex"), "copied");
    ASSERT_TRUE(form_->OpenDocument(File("copy/book.orp")));
    EXPECT_EQ(form_->ProjectMainFile(), File("copy/chap.tex"));
    DoubleClick(0);
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->FileNameOf(), File("copy/chap.tex"));
    Trigger("FileNewItem");
    DoubleClick(0);
    EXPECT_EQ(Active()->FileNameOf(), File("copy/chap.tex")) << "the open window comes forward";
    EXPECT_EQ(form_->ChildCount(), 2);
}

TEST_F(Projects, RemoveAskAndKeepTheMainFileRight) {
    StartForm();
    NewProject("p.orp");
    AddFile("a.tex");
    AddFile("b.tex");
    OnNode(1, Tree().MainFileItem);
    Tree().setCurrentItem(Tree().topLevelItem(0));
    Trigger("ProjectRemoveFileItem"); // the root: nothing, no question
    EXPECT_EQ(Nodes().size(), 3);
    prompter_.ExpectMessage("Remove file b.tex from project?", Answer::No);
    OnNode(1, Tree().RemoveFileItem);
    EXPECT_EQ(Nodes().size(), 3);
    prompter_.ExpectMessage("Remove file b.tex from project?", Answer::Yes);
    OnNode(1, Tree().RemoveFileItem);
    EXPECT_EQ(Nodes(), (QStringList{"p.orp 0", "a.tex 1"}));
    EXPECT_EQ(form_->ProjectMainFile(), "");

    // Close asks about the changes: No keeps the file as it was (none), Yes writes it.
    prompter_.ExpectMessage("Save current project?", Answer::No);
    Trigger("ProjectCloseItem");
    EXPECT_FALSE(QFile::exists(File("p.orp")));
    NewProject("q.orp");
    AddFile("c.tex");
    prompter_.ExpectMessage("Save current project?", Answer::Yes);
    Trigger("ProjectCloseItem");
    EXPECT_EQ(ReadBytes(File("q.orp")),
              "[Project]\nPanelWidth=134\n[ProjectFiles]\nFile1=c.tex\n[MainFile]\n"
              "FileNumber=-1\n");
}

TEST_F(Projects, SaveAsWritesACopyAndKeepsTheChangesToSave) {
    StartForm();
    NewProject("main.orp");
    AddFile("a.tex");
    QDir().mkpath(File("v1.2"));
    prompter_.ExpectSaveFile(File("v1.2/copy"));
    Trigger("ProjectSaveAsItem");
    EXPECT_TRUE(QFile::exists(File("v1.2/copy.orp"))) << "a dotted folder is no extension";
    EXPECT_EQ(Session().FileName(), File("main.orp"));
    EXPECT_TRUE(Session().IsModified()) << "its own file is still unwritten";
    // A formed name the dialog did not ask about is asked about here.
    prompter_.ExpectSaveFile(File("v1.2/copy"));
    prompter_.ExpectMessage("OK to overwrite " + File("v1.2/copy.orp") + "?", Answer::Cancel);
    Trigger("ProjectSaveAsItem");
    prompter_.ExpectMessage("Save current project?", Answer::No);
    ASSERT_TRUE(CloseForm());
}

TEST_F(Projects, FailuresChangeNothing) {
    StartForm();
    NewProject("good.orp");
    AddFile("a.tex");
    OnNode(0, Tree().MainFileItem);
    // A load that fails leaves the open project as it was.
    WriteBytes(File("bad.orp"), "[ProjectFiles]\nFile1=x.tex\n[MainFile]\nFileNumber=7\n");
    prompter_.ExpectMessage("Save current project?", Answer::No);
    prompter_.ExpectMessage("Error opening project " + File("bad.orp"), Answer::Ok);
    EXPECT_FALSE(form_->OpenDocument(File("bad.orp")));
    EXPECT_EQ(form_->ProjectMainFile(), File("a.tex"));
    EXPECT_EQ(Nodes()[0], "good.orp 0");
    // An unreadable project is no empty one (a directory; the tests run as root).
    QDir().mkpath(File("dir.orp"));
    prompter_.ExpectMessage("Save current project?", Answer::No);
    prompter_.ExpectMessage("Error opening project " + File("dir.orp"), Answer::Ok);
    EXPECT_FALSE(form_->OpenDocument(File("dir.orp")));
    // A save that fails says why and leaves the changes to save.
    WriteBytes(File("blocker"), "a file where a folder should be");
    prompter_.ExpectSaveFile(File("blocker/p.orp"));
    prompter_.ExpectMessageStartingWith("Error writing " + File("blocker/p.orp") + ": ",
                                        Answer::Ok);
    Trigger("ProjectSaveAsItem");
    EXPECT_TRUE(Session().IsModified());
    // The replacement question, and a failed save at exit, keep the project and the program.
    QDir().rmdir(File("dir.orp"));
    QDir().mkpath(File("good.orp"));
    prompter_.ExpectMessage("Save current project?", Answer::Yes);
    prompter_.ExpectMessageStartingWith("Error writing " + File("good.orp") + ": ", Answer::Ok);
    EXPECT_FALSE(CloseForm());
    EXPECT_TRUE(Session().IsOpen());
    EXPECT_TRUE(Session().IsModified());
    // Regression: the stopped shutdown left the menus no longer following the active window.
    Open("clean.tex", "x\n");
    Trigger("FileNewItem");
    Type("y");
    ShowTab(0);
    EXPECT_FALSE(form_->Action("FileSaveItem")->isEnabled());
    WriteBytes(File("other.orp"), "");
    prompter_.ExpectMessage("Save current project?", Answer::No);
    ASSERT_TRUE(form_->OpenDocument(File("other.orp")));
    EXPECT_EQ(Nodes(), QStringList{"other.orp 0"});
}

TEST_F(Projects, EveryRouteLoadsAProject) {
    WriteBytes(File("a.orp"), "[ProjectFiles]\nFile1=one.tex\n");
    WriteBytes(File("b.orp"), "[ProjectFiles]\nFile1=two.tex\n");
    StartForm({File("a.orp")});
    EXPECT_EQ(Nodes(), (QStringList{"a.orp 0", "one.tex 1"})) << "the command line";
    prompter_.ExpectOpenFile(File("b.orp"));
    Trigger("FileOpenItem");
    EXPECT_EQ(Nodes()[0], "b.orp 0") << "File Open";
    EXPECT_EQ(form_->Action("N11")->statusTip(), File("b.orp"));
    Trigger("N21");
    EXPECT_EQ(Nodes()[0], "a.orp 0") << "a quick-load entry";
    EXPECT_EQ(form_->Action("N11")->statusTip(), File("a.orp")) << "moved to the top";
    EXPECT_EQ(form_->Action("N21")->statusTip(), File("b.orp"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(File("b.orp"))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &enter);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &drop);
    EXPECT_EQ(Nodes()[0], "b.orp 0") << "a drop";
    // A project listed in a project opens from its node, after the node's own handling.
    WriteBytes(File("nested.orp"), "[ProjectFiles]\nFile1=three.tex\n");
    AddFile("nested.orp");
    prompter_.ExpectMessage("Save current project?", Answer::No);
    DoubleClick(0);
    EXPECT_EQ(Nodes(), (QStringList{"nested.orp 0", "three.tex 1"}));
    EXPECT_EQ(form_->ChildCount(), 0);
    // A project never saved (recorded at an exit) is an empty one, without an error.
    ASSERT_TRUE(form_->OpenDocument(File("never.orp")));
    EXPECT_EQ(Nodes(), QStringList{"never.orp 0"});
}

TEST_F(Projects, TheProjectReopensFirstAfterAnExit) {
    StartForm();
    NewProject("p.orp");
    for (const char* name : {"one.tex", "two.tex", "three.tex"})
        Open(name, "text\n");
    Trigger("ProjectSaveItem");
    ASSERT_TRUE(CloseForm());
    EXPECT_EQ(store_.Read("OpenFile1"), File("p.orp").toStdString());
    StartForm();
    EXPECT_TRUE(Session().IsOpen());
    EXPECT_EQ(Session().FileName(), File("p.orp"));
    EXPECT_EQ(form_->ChildCount(), 3);
    EXPECT_EQ(Active()->FileNameOf(), File("three.tex")) << "the active one last, on top";

    // Save all saves a modified project first.
    AddFile("four.tex");
    Trigger("FileSaveAllItem");
    EXPECT_FALSE(Session().IsModified());
    EXPECT_NE(ReadBytes(File("p.orp")).find("File1=four.tex"), std::string::npos);

    Type("x");
    prompter_.ExpectMessage("Save " + File("three.tex") + " ?", Answer::Cancel);
    EXPECT_FALSE(CloseForm());
    EXPECT_TRUE(Session().IsOpen()) << "a Cancel keeps the project too";
}

} // namespace
} // namespace orvelt::testing
