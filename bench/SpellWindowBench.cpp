// The Spellcheck command through the main window on 1 MB made of wamerican's words: a whole
// check with nothing to show, and a Replace All pair that fires 10,000 times.

#include "BenchSupport.h"
#include "app/Main.h"
#include "editor/Childwin.h"
#include "editor/misspell.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <string>
#include <vector>

namespace orvelt {
namespace {

// Takes the check's completion as the end of a run.
class CheckPrompter : public bench::SilentPrompter {
public:
    Answer Message(MessageKind kind, MessageButtons buttons, const QString& text) override {
        if (text == "Spellchecking completed.") {
            ++completed;
            return Answer::Ok;
        }
        return SilentPrompter::Message(kind, buttons, text);
    }
    int completed = 0;
};

// 1 MB of the list's words, ten to a line; every `every`-th word is "teh" (0: none).
std::string TextOfWords(const std::string& list, int every) {
    std::string text;
    std::size_t at = 0;
    for (int n = 1; text.size() < 1'000'000; ++n) {
        const std::size_t end = std::min(list.find('\n', at), list.size());
        text += every != 0 && n % every == 0 ? std::string("teh") : list.substr(at, end - at);
        text += n % 10 == 0 ? "\n" : " ";
        at = end + 1 < list.size() ? end + 1 : 0;
    }
    return text;
}

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
    const QString words = "/usr/share/dict/american-english";
    QFile in(words);
    if (!in.open(QIODevice::ReadOnly)) {
        std::printf("%s is missing: scripts/setup.sh installs it\n", qPrintable(words));
        return 0;
    }
    const std::string list = in.readAll().toStdString();
    CheckPrompter prompter;
    MemorySettingsStore store;
    store.Write("Dictionary", words.toStdString());
    TMainForm form(bench::Environment(store, prompter));
    bench::Show(form);
    Tmisspelled& dialog = form.Misspelled();

    std::vector<double> clean, pairs;
    for (int every : {0, 10}) {
        const QString file = dir.path() + QStringLiteral("/text%1.tex").arg(every);
        QFile out(file);
        const std::string text = TextOfWords(list, every);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(text.data(), static_cast<qint64>(text.size())) !=
                static_cast<qint64>(text.size()))
            return 1;
        out.close();
        for (int run = 0; run < 5; ++run) {
            if (!form.OpenDocument(file))
                return 1;
            TMDIChild* source = form.ActiveSourceWindow();
            source->MainEdit->moveCursor(QTextCursor::Start);
            QApplication::processEvents();
            const int before = prompter.completed;
            QElapsedTimer timer;
            timer.start();
            form.Spellcheck1Click();
            if (every != 0) {
                if (dialog.EditFind->text() != "teh")
                    return 1;
                timer.restart(); // the pair's own work: from the click to the completion
                dialog.EditReplace->setText("the");
                dialog.BtnReplaceAll->click();
            }
            const double ms = timer.nsecsElapsed() / 1e6;
            if (prompter.completed != before + 1)
                return 1;
            (every == 0 ? clean : pairs).push_back(ms);
            source->SetModified(false);
            source->parentWidget()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    std::printf("Spellcheck of 1 MB of wamerican's words, nothing to show: %.0f ms (budget 500); "
                "a Replace All pair that fires 10,000 times: %.0f ms (budget well under 1000); "
                "medians of 5\n",
                bench::Median(clean), bench::Median(pairs));
    return 0;
}

} // namespace
} // namespace orvelt

int main(int argc, char** argv) {
    return orvelt::Run(argc, argv);
}
