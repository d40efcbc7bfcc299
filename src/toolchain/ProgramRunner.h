#pragma once

#include "options/values/OptionValues.h"

#include <QList>
#include <QObject>
#include <functional>

namespace orvelt {

class ChildWindow;
class Launcher;
class Prompter;

// Runs a program-list entry on the file being worked on: saves what the program will read,
// fills the command's placeholders and starts it in the file's directory, without waiting.
class ProgramRunner : public QObject {
    Q_OBJECT
public:
    struct Situation {
        QList<ChildWindow*> windows; // in the main window's child order
        ChildWindow* active = nullptr;
        QString projectMainFile;
        std::function<bool(const QString&)> inProject;
    };
    ProgramRunner(Prompter& prompter, Launcher& launcher, QObject* parent = nullptr);

    // False when nothing was started (a save cancelled or failed, an error shown).
    bool Run(const ProgramEntry& entry, const Situation& situation);
    // The process the last run started (0 before the first).
    [[nodiscard]] qint64 LastProcessId() const { return lastProcessId_; }

signals:
    void TransientText(const QString& text);

private:
    void Error(const QString& text);

    Prompter& prompter_;
    Launcher& launcher_;
    qint64 lastProcessId_ = 0;
};

} // namespace orvelt
