#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace orvelt {

class ChildWindow;
class Prompter;
class RecoveryFolder;
class RecoveryWriter;

// Keeps a modified document's text in a recovery copy of its own: at most kPeriod after the first
// unsaved change, and again at most every kPeriod while changes go on, whatever the autosave
// setting says. The copy goes when the document is clean again (saved, reloaded) or its window
// closes after the save question. A document that was only opened never gets one.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kPeriod = 30'000;
    // While a question, a modal dialog or a long operation is under way.
    static constexpr int kRetry = 5'000;

    RecoveryKeeper(ChildWindow& window, RecoveryWriter& writer, RecoveryFolder& folder,
                   Prompter& prompter, int number);

    [[nodiscard]] const QString& File() const { return file_; }
    // The window's text came from a copy, which becomes this keeper's: its file.
    [[nodiscard]] const QString& Adopt() {
        hasCopy_ = true;
        return file_;
    }
    // Hands the text to the writer now.
    void KeepNow();
    // Writes the copy on this thread, after what the writer still has to do (a log-off).
    [[nodiscard]] QString KeepAndWait();

    QTimer Timer;

private:
    void Changed();
    void Tick();
    void Forget();
    void Written(const QString& file, const QString& error);

    ChildWindow& window_;
    RecoveryWriter& writer_;
    RecoveryFolder& folder_;
    Prompter& prompter_;
    QString file_;
    bool hasCopy_ = false;         // a copy was handed over and not taken away since
    bool failureShown_ = false;    // the error box comes once per window
    bool failureInStatus_ = false; // cleared by the next copy that succeeds
};

} // namespace orvelt
