// The bibliography window on big databases: a generated 5 MB database until the window is
// usable, moving the selection through a category of 10,000 entries, and saving from the window.

#include "BenchSupport.h"
#include "BibSample.h"
#include "app/Main.h"
#include "bib/BibTreeModel.h"
#include "bib/fbibchild.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeView>
#include <cstdio>
#include <string>
#include <vector>

namespace orvelt {
namespace {

using bench::Median;
using bench::SilentPrompter;
using bench::WriteFile;

std::string TenThousandArticles() {
    std::string bib;
    for (int i = 0; i < 10'000; ++i) {
        const std::string n = std::to_string(i);
        bib += "@article{key" + std::string(5 - n.size(), '0') + n +
               ",\n  author = {Doe, Jane},\n  title = {Paper " + n +
               "},\n  journal = {Journal},\n  year = 2001,\n  doi = {10.1/" + n + "},\n}\n\n";
    }
    return bib;
}

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString big = dir.path() + "/big.bib";
    const QString many = dir.path() + "/many.bib";
    if (!WriteFile(big, bench::FiveMegabyteBib()) || !WriteFile(many, TenThousandArticles()))
        return 1;
    SilentPrompter prompter;
    MemorySettingsStore store;
    TMainForm form(bench::Environment(store, prompter));
    bench::Show(form);

    QElapsedTimer timer;
    timer.start();
    form.OpenDocument(big);
    QApplication::processEvents();
    const double open = bench::Milliseconds(timer);

    TBIBChild* window = form.ActiveBibWindow();
    window->SetModified(true);
    std::vector<double> saves;
    for (int i = 0; i < 5; ++i) {
        window->SetModified(true);
        timer.restart();
        window->SaveDocument();
        saves.push_back(bench::Milliseconds(timer));
    }

    form.OpenDocument(many);
    QApplication::processEvents();
    window = form.ActiveBibWindow();
    QTreeView& tree = *window->TreeView;
    const QModelIndex articles = window->Model->CategoryIndex(0);
    tree.expand(articles);
    std::vector<double> moves;
    std::vector<double> editedMoves;
    for (int row = 5'000; row < 5'040; ++row) {
        timer.restart();
        tree.setCurrentIndex(window->Model->index(row, 0, articles));
        QApplication::processEvents();
        moves.push_back(bench::Milliseconds(timer));
    }
    // With an edit of the key each time: the entry is re-captioned and its category sorted.
    for (int row = 6'000; row < 6'040; ++row) {
        if (auto* key = qobject_cast<QLineEdit*>(window->EditGrid->cellWidget(0, 1)))
            key->setText(key->text() + "x");
        timer.restart();
        tree.setCurrentIndex(window->Model->index(row, 0, articles));
        QApplication::processEvents();
        editedMoves.push_back(bench::Milliseconds(timer));
    }
    std::printf("bibliography window: 5 MB database until usable %.0f ms (budget 500); saving it "
                "%.1f ms (budget 100); next entry in a category of 10,000 %.2f ms, after an "
                "edit of its key %.2f ms (budget 20)\n",
                open, Median(saves), Median(moves), Median(editedMoves));
    return 0;
}

} // namespace
} // namespace orvelt

int main(int argc, char** argv) {
    return orvelt::Run(argc, argv);
}
