#include "MainFormFixture.h"
#include "platform/IniSettingsStore.h"
#include "widgets/PanelSplitter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace orvelt::testing {
namespace {

using MainWindow = MainFormFixture;

TEST_F(MainWindow, EmptyStoreStartsWithDefaults) {
    TMainForm& form = StartForm();
    EXPECT_EQ(form.windowTitle(), "Orvelt 95");
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(form.Action("N" + QString::number(k) + "1")->text(),
                  QStringLiteral("&%1 ").arg(k));
    EXPECT_EQ(form.ChildCount(), 0);
    EXPECT_TRUE(form.Options().programs.empty());
    EXPECT_FALSE(form.Action("FileSaveItem")->isEnabled());
    EXPECT_FALSE(form.Action("FileSaveAllItem")->isEnabled());
    EXPECT_FALSE(form.Action("WindowTileItem")->isEnabled());
    EXPECT_TRUE(form.statusBar()->isVisible()) << "shown by the first layout";
}

TEST_F(MainWindow, PlacementIsRestoredAndWrittenOnlyWhenNotMaximized) {
    store_.Write("Left", "10");
    store_.Write("Top", "20");
    store_.Write("Width", "0x320"); // 800
    store_.Write("Height", "600");
    TMainForm& form = StartForm();
    form.resize(700, 500);
    form.setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(CloseForm());
    EXPECT_EQ(store_.Read("Maximized"), "1");
    EXPECT_EQ(store_.Read("Width"), "0x320")
        << "a maximized window keeps the last normal placement";
}

TEST_F(MainWindow, NewNamesCountOpenWindowsAndATabClickActivatesOne) {
    StartForm();
    Trigger("FileNewItem");
    Trigger("FileNewItem");
    EXPECT_EQ(Active()->windowTitle(), "NONAME2");
    Trigger("FileNewItem");
    EXPECT_EQ(Active()->windowTitle(), "NONAME3");
    EXPECT_EQ(form_->Windowlist(), (QStringList{"NONAME1", "NONAME2", "NONAME3"}));
    EXPECT_EQ(form_->TabControl()->count(), 3);
    EXPECT_EQ(form_->TabControl()->currentIndex(), 2) << "the tab follows the active window";
    form_->TabControl()->setCurrentIndex(0);
    QApplication::processEvents();
    EXPECT_EQ(Active()->windowTitle(), "NONAME1");
    EXPECT_EQ(Panel(3), "INS");
}

TEST_F(MainWindow, RecentFilesFromCommandLineInOrder) {
    WriteBytes(File("paper.tex"), "\\documentclass{article}\n");
    WriteBytes(File("refs.bib"), "@BOOK{k,\n  title = {T},\n}\n");
    prompter_.ExpectMessage("Warning! All non BiBTeX fields in the file will be lost!", Answer::Ok);
    store_.Write("OpenFile1", File("ignored.tex").toStdString());
    StartForm({File("paper.tex"), File("refs.bib")});
    EXPECT_EQ(form_->ChildCount(), 2) << "the saved open-files list is ignored";
    EXPECT_EQ(form_->Recent().Paths()[0], File("refs.bib").toStdString());
    EXPECT_EQ(form_->Recent().Paths()[1], File("paper.tex").toStdString());
    EXPECT_EQ(form_->Action("N11")->text(), "&1 refs.bib");
}

TEST_F(MainWindow, RecentItemMovesToTopAndOpens) {
    WriteBytes(File("a.tex"), "a\n");
    WriteBytes(File("b.tex"), "b\n");
    store_.Write("Quickload1", File("a.tex").toStdString());
    store_.Write("Quickload2", File("b.tex").toStdString());
    StartForm();
    Trigger("N21");
    EXPECT_EQ(Active()->FileName, File("b.tex"));
    EXPECT_EQ(form_->Action("N11")->text(), "&1 b.tex");
    EXPECT_EQ(form_->Action("N21")->text(), "&2 a.tex");
    Trigger("N31"); // an empty slot does nothing
    EXPECT_EQ(form_->ChildCount(), 1);
}

TEST_F(MainWindow, TransientMessageClearsAfterThreeSeconds) {
    StartForm();
    form_->ShowTransientMessage("File saved successfully.");
    EXPECT_EQ(Panel(2), "File saved successfully.");
    QTest::qWait(1000);
    EXPECT_EQ(Panel(2), "File saved successfully.");
    QTRY_COMPARE_WITH_TIMEOUT(Panel(2), QString(), 4000);
}

TEST_F(MainWindow, UpdateStatusShowsOneDecimal) {
    StartForm();
    form_->updateStatus(1, 3);
    EXPECT_EQ(Panel(0), "33.3%  ");
    form_->updateStatus(0, 3); // below 1: the panel keeps its text
    EXPECT_EQ(Panel(0), "33.3%  ");
    QLocale::setDefault(QLocale(QLocale::German));
    form_->updateStatus(2, 3);
    EXPECT_EQ(Panel(0), "66,7%  ") << "the locale's decimal separator";
}

TEST_F(MainWindow, ShutdownRecordsOpenFilesAndReopensThem) {
    for (const char* name : {"one.tex", "two.tex", "three.tex"})
        WriteBytes(File(name), std::string(name) + "\n");
    StartForm();
    for (const char* name : {"one.tex", "two.tex", "three.tex"})
        form_->OpenDocument(File(name));
    // two.tex active last: it must be written last so that it is reopened on top.
    form_->TabControl()->setCurrentIndex(1);
    QApplication::processEvents();
    ASSERT_EQ(Active()->FileName, File("two.tex"));
    // An untitled window has nothing to reopen: an empty entry would end the list there.
    Trigger("FileNewItem");
    form_->TabControl()->setCurrentIndex(1);
    QApplication::processEvents();
    ASSERT_TRUE(CloseForm()) << "opened only, nothing to ask";
    EXPECT_EQ(store_.Read("OpenFile1"), File("one.tex").toStdString());
    EXPECT_EQ(store_.Read("OpenFile2"), File("three.tex").toStdString());
    EXPECT_EQ(store_.Read("OpenFile3"), File("two.tex").toStdString());
    EXPECT_EQ(store_.Read("OpenFile4"), "");

    StartForm();
    EXPECT_EQ(form_->ChildCount(), 3);
    EXPECT_EQ(Active()->FileName, File("two.tex"));
    EXPECT_EQ(form_->Windowlist(),
              (QStringList{File("one.tex"), File("three.tex"), File("two.tex")}));
}

TEST_F(MainWindow, CancelledShutdownKeepsRemainingWindowsAndMenus) {
    StartForm();
    for (int i = 0; i < 3; ++i) {
        Trigger("FileNewItem");
        Type("text");
    }
    // Closed from the least recently active: NONAME1, then NONAME2 (cancelled). Each is named
    // ("Save  ?" named nothing) and brought to the front before it is asked about.
    prompter_.ExpectMessage("Save NONAME1 ?", Answer::No);
    prompter_.ExpectMessage("Save NONAME2 ?", Answer::Cancel);
    EXPECT_FALSE(CloseForm());
    EXPECT_EQ(Active()->windowTitle(), "NONAME2") << "the window asked about is in front";
    EXPECT_EQ(form_->ChildCount(), 2);
    EXPECT_EQ(form_->TabControl()->count(), 2) << "no tab of a closed window stays behind";
    EXPECT_FALSE(form_->IsClosing());
    form_->TabControl()->setCurrentIndex(0);
    QApplication::processEvents();
    EXPECT_EQ(Active()->windowTitle(), "NONAME2");
    EXPECT_TRUE(form_->Action("FileSaveItem")->isEnabled())
        << "menus still follow the active window";
}

TEST_F(MainWindow, LogOffAsksForEachModifiedDocument) {
    StartForm();
    Trigger("FileNewItem");
    Type("unsaved");
    prompter_.ExpectMessage("Save NONAME1 ?", Answer::Cancel);
    EXPECT_FALSE(form_->SessionEnding(true)) << "a Cancel cancels the log-off";
    EXPECT_EQ(form_->ChildCount(), 1);

    prompter_.ExpectMessage("Save NONAME1 ?", Answer::No);
    EXPECT_TRUE(form_->SessionEnding(true));

    store_.Write("LastDir", "unchanged");
    EXPECT_TRUE(form_->close()) << "after the log-off the window closes without questions";
    EXPECT_EQ(store_.Read("LastDir"), "unchanged") << "and writes no settings";
}

// A log-off that allows no question quit and lost every unsaved text.
TEST_F(MainWindow, LogOffWithoutInteractionKeepsUnsavedTextForTheNextStart) {
    WriteBytes(File("named.tex"), "text\n");
    StartForm();
    Trigger("FileNewItem");
    Type("unsaved");
    form_->OpenDocument(File("named.tex"));
    Type("more ");
    EXPECT_TRUE(form_->SessionEnding(false));
    const QString folder = dir_.path() + "/state/orvelt95";
    auto mode = [](const QString& path) {
        struct stat info {};
        ::stat(QFile::encodeName(path).constData(), &info);
        return info.st_mode & 0777;
    };
    EXPECT_EQ(mode(folder), 0700u);
    const QStringList kept = QDir(folder).entryList(QDir::Files);
    ASSERT_EQ(kept.size(), 2);
    for (const QString& name : kept)
        EXPECT_EQ(mode(folder + "/" + name), 0600u) << "a copy of a private file stays private";
    EXPECT_TRUE(form_->close()) << "after the log-off the window closes without questions";
    EXPECT_EQ(ReadBytes(File("named.tex")), "text\n");

    prompter_.ExpectMessage("The unsaved text of 2 document(s) was kept when the last session "
                            "ended. Open it now? (No discards it.)",
                            Answer::Yes);
    StartForm();
    ASSERT_EQ(form_->ChildCount(), 2);
    EXPECT_EQ(Active()->FileName, File("named.tex"));
    EXPECT_EQ(Text(), "more text\n");
    EXPECT_TRUE(Active()->Modified);
    form_->TabControl()->setCurrentIndex(0);
    QApplication::processEvents();
    EXPECT_TRUE(Active()->FileName.isEmpty());
    EXPECT_EQ(Text(), "unsaved");
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty()) << "offered once";
}

TEST_F(MainWindow, DroppedFilesAreRegisteredAndOpenedInOrder) {
    WriteBytes(File("d1.tex"), "one");
    WriteBytes(File("d2.tex"), "two");
    StartForm();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(File("d1.tex")), QUrl::fromLocalFile(File("d2.tex"))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &drop);
    EXPECT_EQ(form_->Windowlist(), (QStringList{File("d1.tex"), File("d2.tex")}));
    EXPECT_EQ(form_->Recent().Paths()[0], File("d2.tex").toStdString());
    EXPECT_EQ(form_->Recent().Paths()[1], File("d1.tex").toStdString());
}

TEST_F(MainWindow, SwitchingWindowsRefreshesPanelsAndRehighlightsTheLeftLine) {
    WriteBytes(File("prog/KEYWORDS.TXT"), "\\alpha\n");
    StartForm();
    Trigger("FileNewItem");
    TMDIChild* first = Active();
    first->MainEdit->setPlainText("\\alpha");
    Trigger("FileNewItem");
    EXPECT_EQ(Panel(1), "") << "the new window is clean";
    first->SetModified(true);
    form_->TabControl()->setCurrentIndex(0);
    QApplication::processEvents();
    EXPECT_EQ(Panel(1), "Modified");
    form_->TabControl()->setCurrentIndex(1);
    QApplication::processEvents();
    QTextCursor at(first->MainEdit->document());
    at.setPosition(2);
    EXPECT_EQ(StyleOfFormat(at.charFormat()),
              StyleFor(form_->Options().styles, StyleKind::TexCommand))
        << "leaving a window re-highlights its caret line";
}

TEST_F(MainWindow, SplitterDragStopsAtTheClientWidth) {
    StartForm();
    QWidget* tree = form_->findChild<QWidget*>("TreePanel");
    auto* splitter = form_->findChild<PanelSplitter*>("SizePanel");
    tree->show();
    splitter->show();
    QApplication::processEvents();
    const int before = tree->width();
    QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(2, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 5), splitter->mapToGlobal(QPointF(40, 5)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(splitter, &move);
    EXPECT_EQ(tree->width(), before + 40);
    QMouseEvent far(QEvent::MouseMove, QPointF(5000, 5), splitter->mapToGlobal(QPointF(5000, 5)),
                    Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(splitter, &far);
    EXPECT_EQ(tree->width(), before + 40) << "the panel never reaches the client width";
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(2, 5));
    EXPECT_FALSE(splitter->IsSizing());
}

TEST(IniSettingsStoreFile, CommitWritesTheFileWholeAndANewStoreReadsIt) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/config/orvelt95/orvelt95.ini";
    {
        IniSettingsStore store(file);
        EXPECT_FALSE(store.Read("Width").has_value()) << "no file yet: every value is missing";
        store.Write("Width", "800");
        store.Write("Schriftgr\xC3\xB6\xC3\x9F"
                    "e",
                    "12");
        store.Commit();
    }
    IniSettingsStore again(file);
    EXPECT_EQ(again.Read("Width"), "800");
    EXPECT_EQ(again.Read("Schriftgr\xC3\xB6\xC3\x9F"
                         "e"),
              "12");
    QDir(dir.path()).mkpath("blocked");
    // A store whose file cannot be written stays silent, as settings never report errors.
    IniSettingsStore blocked(dir.path() + "/blocked");
    blocked.Write("Width", "1");
    blocked.Commit();
    EXPECT_TRUE(QFileInfo(dir.path() + "/blocked").isDir());
}

TEST_F(MainWindow, OptionsAreLiveForTheNextWindow) {
    StartForm();
    Trigger("FileNewItem");
    EXPECT_EQ(Active()->MainEdit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    form_->Options().wordWrap = WrapMode::Off;
    form_->Options().background = 0x00FF00;
    Trigger("FileNewItem");
    EXPECT_EQ(Active()->MainEdit->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(Active()->MainEdit->palette().color(QPalette::Base), QColor(0, 255, 0));
    ASSERT_TRUE(CloseForm());
    EXPECT_EQ(store_.Read("WordWrap"), "0") << "written at the end of the run";
}

} // namespace
} // namespace orvelt::testing
