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
