// The table command's insertion of a 100 x 100 table into a source window: generated, then
// inserted piece by piece in its styles, with progress and the Escape poll at every cell.

#include "BenchSupport.h"
#include "app/Main.h"
#include "editor/Childwin.h"
#include "insert/table/TableGenerator.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <string>
#include <vector>

namespace orvelt {
namespace {

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::SilentPrompter prompter;
    MemorySettingsStore store;
    TMainForm form(bench::Environment(store, prompter));
    bench::Show(form);
    TableDesign design;
    design.Start(TableDesign::kMaxSize, TableDesign::kMaxSize);
    for (int r = 1; r <= design.Rows(); ++r)
        for (int c = 1; c <= design.Cols(); ++c)
            design.SetText(c, r, "c" + std::to_string(r * 100 + c));
    std::vector<double> generate;
    std::vector<double> whole;
    for (int run = 0; run < 5; ++run) {
        form.FileNewItemClick();
        TMDIChild* source = form.ActiveSourceWindow();
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        const GeneratedTable table = GenerateTable(design, SizesInEx(design, 7));
        generate.push_back(timer.nsecsElapsed() / 1e6);
        if (!source->InsertTable(table))
            return 1;
        QApplication::processEvents();
        whole.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("100 x 100 table: generated in %.1f ms (budget 100), inserted with styles, "
                "progress and Escape polls in %.0f ms (budget 500), medians of 5\n",
                bench::Median(generate), bench::Median(whole));
    return 0;
}

} // namespace
} // namespace orvelt

int main(int argc, char** argv) {
    return orvelt::Run(argc, argv);
}
