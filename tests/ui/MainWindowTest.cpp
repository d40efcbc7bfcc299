#include "MainFormFixture.h"
#include "editor/LineGutter.h"
#include "widgets/PanelSplitter.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMimeData>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <optional>
#include <sys/stat.h>
#include <vector>

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
    EXPECT_FALSE(form.Action("FileSaveItem")->isEnabled());
    EXPECT_FALSE(form.Action("FileSaveAllItem")->isEnabled());
    EXPECT_FALSE(form.Action("WindowTileItem")->isEnabled());
    EXPECT_TRUE(form.statusBar()->isVisible()) << "shown by the first layout";
}

// With no stored placement the window was 640 by 480 on any screen; a stored 100,000-pixel
// width made a window of gigabytes.
TEST_F(MainWindow, TheWindowStartsOnTheScreen) {
    std::optional<TMainForm> form;
    form.emplace(TMainForm::Environment{store_, prompter_, {}, dir_.path() + "/prog"});
    const QRect screen = form->screen()->availableGeometry();
    EXPECT_NEAR(form->width(), screen.width() * 0.8, 2) << "most of the screen, centred";
    EXPECT_NEAR(form->height(), screen.height() * 0.8, 2);
    EXPECT_NEAR(form->x() - screen.x(), screen.width() * 0.1, 2);
    store_.Write("Width", "100000");
    store_.Write("Height", "2147483647");
    store_.Write("Left", "-900000");
    form.emplace(TMainForm::Environment{store_, prompter_, {}, dir_.path() + "/prog"});
    EXPECT_LE(form->width(), screen.width());
    EXPECT_LE(form->height(), screen.height());
    EXPECT_GE(form->x(), screen.x());
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
    StartNew();
    Trigger("FileNewItem");
    EXPECT_EQ(Active()->windowTitle(), "NONAME2");
    Trigger("FileNewItem");
    EXPECT_EQ(Active()->windowTitle(), "NONAME3");
    EXPECT_EQ(form_->Windowlist(), (QStringList{"NONAME1", "NONAME2", "NONAME3"}));
    EXPECT_EQ(form_->TabControl()->count(), 3);
    EXPECT_EQ(form_->TabControl()->currentIndex(), 2) << "the tab follows the active window";
    ShowTab(0);
    EXPECT_EQ(Active()->windowTitle(), "NONAME1");
    EXPECT_EQ(Panel(3), "INS");
}

TEST_F(MainWindow, FilesNamedAtStartOrDroppedOpenInOrderAndAreRecent) {
    WriteBytes(File("paper.tex"), "\\documentclass{article}\n");
    WriteBytes(File("refs.bib"), "@BOOK{k,\n  title = {T},\n}\n");
    store_.Write("OpenFile1", File("ignored.tex").toStdString());
    StartForm({File("paper.tex"), File("refs.bib")});
    EXPECT_EQ(form_->ChildCount(), 2) << "the saved open-files list is ignored";
    EXPECT_EQ(form_->Recent().Paths()[0], File("refs.bib").toStdString());
    EXPECT_EQ(form_->Recent().Paths()[1], File("paper.tex").toStdString());
    EXPECT_EQ(form_->Action("N11")->text(), "&1 refs.bib");

    WriteBytes(File("d1.tex"), "one");
    WriteBytes(File("d2.tex"), "two");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(File("d1.tex")), QUrl::fromLocalFile(File("d2.tex"))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &drop);
    EXPECT_EQ(form_->Windowlist().mid(2), (QStringList{File("d1.tex"), File("d2.tex")}));
    EXPECT_EQ(form_->Action("N11")->text(), "&1 d2.tex");
    EXPECT_EQ(form_->Action("N21")->text(), "&2 d1.tex");
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

// No event loop runs during a long operation, so the percentage is painted at once; a thousand
// paints of one import cost more than the eye can see. The last figure is always painted.
TEST_F(MainWindow, UpdateStatusPaintsAtMostEveryFortyMillisecondsAndTheLast) {
    class PaintedTexts : public QObject {
    public:
        explicit PaintedTexts(QLabel* label) : label_(label) {}
        QStringList texts;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (watched == label_ && event->type() == QEvent::Paint)
                texts.append(label_->text());
            return false;
        }

    private:
        QLabel* label_;
    };
    StartForm();
    QApplication::processEvents();
    auto* panel = form_->findChild<QLabel*>("StatusPanel0");
    PaintedTexts painted(panel);
    panel->installEventFilter(&painted);
    QElapsedTimer timer;
    timer.start();
    for (int done = 1; done <= 1000; ++done)
        form_->updateStatus(done, 1000);
    const qint64 elapsed = timer.elapsed();
    panel->removeEventFilter(&painted);
    ASSERT_FALSE(painted.texts.isEmpty());
    EXPECT_EQ(painted.texts.front(), "0.1%  ");
    EXPECT_EQ(painted.texts.back(), "100.0%  ");
    EXPECT_LE(painted.texts.size(), 2 + elapsed / 40) << "over " << elapsed << " ms";
}

TEST_F(MainWindow, ShutdownRecordsOpenFilesAndReopensThem) {
    StartForm();
    for (const char* name : {"one.tex", "two.tex", "three.tex"})
        Open(name, std::string(name) + "\n");
    // two.tex active last: it must be written last so that it is reopened on top.
    ShowTab(1);
    ASSERT_EQ(Active()->FileName, File("two.tex"));
    // An untitled window has nothing to reopen: an empty entry would end the list there.
    Trigger("FileNewItem");
    ShowTab(1);
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
    ShowTab(0);
    EXPECT_EQ(Active()->windowTitle(), "NONAME2");
    EXPECT_TRUE(form_->Action("FileSaveItem")->isEnabled())
        << "menus still follow the active window";
}

TEST_F(MainWindow, LogOffAsksForEachModifiedDocument) {
    StartNew();
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
    StartNew();
    Type("unsaved");
    Open("named.tex", "text\n");
    Type("more ");
    EXPECT_TRUE(form_->SessionEnding(false));
    const QString folder = dir_.path() + "/state/orvelt95";
    auto mode = [](const QString& path) {
        struct stat info {};
        ::stat(QFile::encodeName(path).constData(), &info);
        return info.st_mode & 0777;
    };
    EXPECT_EQ(mode(folder), 0700u);
    const QStringList kept = QDir(folder).entryList({"copy-*"}, QDir::Files);
    ASSERT_EQ(kept.size(), 2);
    for (const QString& name : kept)
        EXPECT_EQ(mode(folder + "/" + name), 0600u) << "a copy of a private file stays private";
    EXPECT_TRUE(form_->close()) << "after the log-off the window closes without questions";
    EXPECT_EQ(ReadBytes(File("named.tex")), "text\n");

    prompter_.ExpectMessageStartingWith("NONAME1 has unsaved text from ", Answer::Yes);
    prompter_.ExpectMessageStartingWith(File("named.tex") + " has unsaved text from ", Answer::Yes);
    StartForm();
    ASSERT_EQ(form_->ChildCount(), 2);
    EXPECT_EQ(Active()->FileName, File("named.tex"));
    EXPECT_EQ(Text(), "more text\n");
    EXPECT_TRUE(Active()->Modified);
    ShowTab(0);
    EXPECT_TRUE(Active()->FileName.isEmpty());
    EXPECT_EQ(Text(), "unsaved");
    // Offered once: each recovered text keeps one copy, now its new window's.
    const QStringList after = QDir(folder).entryList({"copy-*"}, QDir::Files);
    EXPECT_EQ(after.size(), 2);
    for (const QString& name : after)
        EXPECT_FALSE(kept.contains(name)) << name.toStdString();
}

TEST_F(MainWindow, SwitchingWindowsRefreshesPanelsAndRehighlightsTheLeftLine) {
    WriteBytes(File("prog/KEYWORDS.TXT"), "\\alpha\n");
    StartNew();
    TMDIChild* first = Active();
    Edit()->setPlainText("\\alpha");
    Trigger("FileNewItem");
    EXPECT_EQ(Panel(1), "") << "the new window is clean";
    first->SetModified(true);
    ShowTab(0);
    EXPECT_EQ(Panel(1), "Modified");
    ShowTab(1);
    QTextCursor at(first->MainEdit->document());
    at.setPosition(2);
    EXPECT_EQ(StyleOfFormat(at.charFormat()), Style(StyleKind::TexCommand))
        << "leaving a window re-highlights its caret line";
}

TEST_F(MainWindow, SplitterDragKeepsRoomOnBothSides) {
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
    EXPECT_EQ(tree->width(),
              splitter->parentWidget()->width() - splitter->width() - PanelSplitter::kRoomBeside)
        << "the documents keep room beside the panel";
    QMouseEvent back(QEvent::MouseMove, QPointF(-5000, 5), splitter->mapToGlobal(QPointF(-5000, 5)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(splitter, &back);
    EXPECT_EQ(tree->width(), PanelSplitter::kMinimum) << "and the panel keeps a width";
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(2, 5));
    EXPECT_FALSE(splitter->IsSizing());
}

TEST_F(MainWindow, OptionsAreLiveForTheNextWindow) {
    StartNew();
    EXPECT_EQ(Edit()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_NE(Edit()->findChild<LineGutter*>(), nullptr) << "line numbers are on by default";
    EXPECT_GT(Edit()->viewport()->x(), 0) << "the text stands beside them";
    form_->Options().wordWrap = WrapMode::Off;
    form_->Options().background = 0x00FF00;
    form_->Options().lineNumbers = false;
    Trigger("FileNewItem");
    EXPECT_EQ(Edit()->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(Edit()->palette().color(QPalette::Base), QColor(0, 255, 0));
    EXPECT_EQ(Edit()->findChild<LineGutter*>(), nullptr);
    ASSERT_TRUE(CloseForm());
    EXPECT_EQ(store_.Read("WordWrap"), "0") << "written at the end of the run";
    EXPECT_EQ(store_.Read("LineNumbers"), "0");
}

// Shown at its own small size on the way to maximized, a new window's editor laid its text out
// at two widths, the first a fifth of the last: seconds for a long line without a blank.
TEST_F(MainWindow, ANewWindowGetsItsMaximizedSizeAtOnceAndRestoresInsideTheArea) {
    class EditorSizes : public QObject {
    public:
        std::vector<QSize> sizes;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Resize && qobject_cast<TMyRichEdit*>(watched))
                sizes.push_back(static_cast<QResizeEvent*>(event)->size());
            return false;
        }
    } editorSizes;
    StartForm();
    WriteBytes(File("a.tex"), "text\n");
    qApp->installEventFilter(&editorSizes);
    form_->OpenDocument(File("a.tex"));
    QApplication::processEvents();
    qApp->removeEventFilter(&editorSizes);
    EXPECT_EQ(editorSizes.sizes, std::vector<QSize>{Edit()->size()});

    auto* sub = qobject_cast<QMdiSubWindow*>(Active()->parentWidget());
    ASSERT_TRUE(sub->isMaximized());
    sub->showNormal();
    QApplication::processEvents();
    EXPECT_TRUE(sub->mdiArea()->viewport()->rect().contains(sub->geometry()));
}

} // namespace
} // namespace orvelt::testing
