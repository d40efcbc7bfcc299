// From a TeX menu key to the start of the program, with a clean window: the decision, the
// folder check and the command line, up to the launcher (which records instead of starting).

#include "BenchSupport.h"
#include "app/Main.h"
#include "platform/Launcher.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace orvelt {
namespace {

using bench::SilentPrompter;

class CountingLauncher : public Launcher {
public:
    LaunchResult Start(const QString&, const QStringList&, const QString&) override {
        ++starts;
        return {LaunchResult::Outcome::Started, 1, {}};
    }
    int starts = 0;
};

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.path() + "/paper.tex";
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return 1;
        out.write("\\documentclass{article}\n\\begin{document}\nText.\n\\end{document}\n");
    }
    SilentPrompter prompter;
    CountingLauncher launcher;
    MemorySettingsStore store;
    TMainForm form({store, prompter, {}, QStringLiteral(ORVELT_DATA_DIR), nullptr, &launcher});
    form.show();
    form.FirstActivate();
    form.OpenDocument(file);
    QApplication::processEvents();
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
    std::vector<double> times;
    for (int round = 0; round < 101; ++round) {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(focus, Qt::Key_F9); // LaTeX
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("F9 to the launcher with a clean window: %.3f ms median, %.3f ms worst of 101 "
                "(budget 5; %d starts)\n",
                times[times.size() / 2], times.back(), launcher.starts);
    return launcher.starts == 101 ? 0 : 1;
}

} // namespace
} // namespace orvelt

int main(int argc, char** argv) {
    return orvelt::Run(argc, argv);
}
