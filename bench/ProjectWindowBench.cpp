// A 1,000-file project loaded through the window (tree built, sorted, expanded) and saved.

#include "BenchSupport.h"
#include "app/Main.h"
#include "project/ProjectSession.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace orvelt {
namespace {

using bench::SilentPrompter;

using bench::Median;

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.path() + "/big.orp";
    {
        std::string text = "[Project]\nPanelWidth=200\n[ProjectFiles]\n";
        // Stored in an order that is not the tree's, half of them outside the project's folder.
        for (int i = 1000; i >= 1; --i)
            text += "File" + std::to_string(1001 - i) + "=" +
                    (i % 2 ? "chapters/part" : "/srv/shared/tex/part") +
                    std::to_string(i * 7919 % 1000) + "-" + std::to_string(i) + ".tex\n";
        text += "[MainFile]\nFileNumber=500\n";
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return 1;
        out.write(text.data(), static_cast<qint64>(text.size()));
    }
    SilentPrompter prompter;
    MemorySettingsStore store;
    TMainForm form({store, prompter, {}, QStringLiteral(ORVELT_DATA_DIR)});
    form.show();
    form.FirstActivate();
    std::vector<double> loads, saves;
    for (int round = 0; round < 9; ++round) {
        QElapsedTimer timer;
        timer.start();
        if (!form.OpenDocument(file))
            return 1;
        QApplication::processEvents();
        loads.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        if (!form.Project().Save(file))
            return 1;
        saves.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("1,000-file project: load through the window %.1f ms (budget 100), save %.1f ms "
                "(budget 50), median of 9\n",
                Median(loads), Median(saves));
    return 0;
}

} // namespace
} // namespace orvelt

int main(int argc, char** argv) {
    return orvelt::Run(argc, argv);
}
