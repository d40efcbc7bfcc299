#include "MainFormFixture.h"
#include "editor/LineGutter.h"
#include "platform/EscapePoller.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTextBlock>

namespace orvelt::testing {
namespace {

using FirstContact = MainFormFixture;

TEST_F(FirstContact, DesktopKeysAndTheContextMenu) {
    WriteBytes(File("prog/Shortcut/figure.tex"), "\\begin{figure}");
    WriteBytes(File("prog/Shortcut/table.tex"), "installed");
    QDir().mkpath(File("data/orvelt95/Shortcut"));
    WriteBytes(File("data/orvelt95/Shortcut/table.tex"), "mine");
    store_.Write("Shortcut11", "Ctrl+J");
    store_.Write("Shortcut12", File("prog/Shortcut/figure.tex").toStdString());
    StartForm();
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
    Trigger("FileNewItem");
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
    QStringList snippets;
    for (QAction* action : Active()->Scuts1->actions())
        snippets << action->text() + " " + action->shortcut().toString() + " " +
                        action->statusTip();
    EXPECT_EQ(snippets, (QStringList{"figure.tex Ctrl+J " + File("prog/Shortcut/figure.tex"),
                                     "table.tex  " + File("data/orvelt95/Shortcut/table.tex")}))
        << "the user's copy wins";
}

TEST_F(FirstContact, GutterNumbersTheLines) {
    StartForm();
    Trigger("FileNewItem");
    EXPECT_NE(Active()->MainEdit->findChild<LineGutter*>(), nullptr) << "on by default";
    EXPECT_GT(Active()->MainEdit->viewport()->x(), 0) << "the text stands beside it";
    store_.Write("LineNumbers", "0");
    StartForm();
    Trigger("FileNewItem");
    EXPECT_EQ(Active()->MainEdit->findChild<LineGutter*>(), nullptr);
}

// A refused or aborted open was listed among the recent files.
TEST_F(FirstContact, OnlyFilesThatOpenedAreRecent) {
    StartForm();
    prompter_.ExpectOpenFile(File("missing.tex"));
    prompter_.ExpectMessageStartingWith("An error occured while opening 'missing.tex'.",
                                        Answer::Ok);
    Trigger("FileOpenItem");
    EXPECT_EQ(form_->Recent().Paths()[0], "");
}

// With no stored placement the window was 640 by 480 on any screen.
TEST_F(FirstContact, FirstStartCoversMostOfTheScreenCentred) {
    TMainForm form({store_, prompter_, {}, dir_.path() + "/prog"});
    const QRect screen = form.screen()->availableGeometry();
    EXPECT_NEAR(form.width(), screen.width() * 0.8, 2);
    EXPECT_NEAR(form.height(), screen.height() * 0.8, 2);
    EXPECT_NEAR(form.x() - screen.x(), screen.width() * 0.1, 2);
}

} // namespace
} // namespace orvelt::testing
