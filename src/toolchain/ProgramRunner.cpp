#include "toolchain/ProgramRunner.h"

#include "platform/FileIo.h"
#include "platform/Launcher.h"
#include "platform/Prompter.h"
#include "toolchain/run/CommandLine.h"
#include "toolchain/run/RunDecision.h"
#include "widgets/ChildWindow.h"

namespace orvelt {

ProgramRunner::ProgramRunner(Prompter& prompter, Launcher& launcher, QObject* parent)
    : QObject(parent), prompter_(prompter), launcher_(launcher) {}

void ProgramRunner::Error(const QString& text) {
    prompter_.Message(MessageKind::Error, MessageButtons::Ok, text);
}

bool ProgramRunner::Run(const ProgramEntry& entry, const Situation& s) {
    const int active = static_cast<int>(s.windows.indexOf(s.active));
    if (active < 0 || s.active->Kind() == ChildKind::Log)
        return false;
    RunSituation situation;
    situation.active = static_cast<std::size_t>(active);
    situation.projectMainFile = PathBytes(s.projectMainFile);
    situation.forceCurrentFile = entry.forceCurrentFile;
    for (ChildWindow* window : s.windows)
        situation.windows.push_back({window->Kind(), PathBytes(window->FileNameOf()),
                                     window->IsModified(), window->CaretLine(),
                                     s.inProject && s.inProject(window->FileNameOf())});
    const RunDecision decision = DecideRun(situation);
    // A save that is cancelled or fails stops the run: the program would read the stale file.
    for (std::size_t index : decision.toSave)
        if (!s.windows[static_cast<int>(index)]->SaveDocument())
            return false;
    emit TransientText("File(s) saved successfully.");

    const QString target =
        decision.target == RunTarget::ProjectMainFile ? s.projectMainFile : s.active->FileNameOf();
    const TargetParts parts = SplitTarget(PathBytes(target));
    const QString directory = PathOfBytes(parts.directory);
    if (FileResult usable = UsableDirectory(directory); !usable.ok) {
        Error(QStringLiteral("Cannot change to directory \"%1\": %2").arg(directory, usable.error));
        return false;
    }
    const CommandLine command =
        SubstituteCommandLine(entry.command, parts.fileBase, decision.lineNumber);
    if (command.fileBaseRejected) {
        Error("Invalid filename! No '%f' allowed.");
        return false;
    }
    const QString display = PathOfBytes(command.display);
    const QString program = command.words.empty() ? QString() : PathOfBytes(command.words.front());
    if (program.isEmpty()) {
        Error("Error executing \"" + display + "\": File '' not found.");
        return false;
    }
    QStringList arguments;
    for (std::size_t i = 1; i < command.words.size(); ++i)
        arguments << PathOfBytes(command.words[i]);
    const LaunchResult started = launcher_.Start(program, arguments, directory);
    switch (started.outcome) {
    case LaunchResult::Outcome::Started:
        lastProcessId_ = started.processId;
        emit TransientText("'" + display + "' executed.");
        return true;
    case LaunchResult::Outcome::NotFound:
        Error("Error executing \"" + display + "\": File '" + program + "' not found.");
        return false;
    case LaunchResult::Outcome::Failed:
        Error("Error executing \"" + display + "\": " + started.error + ".");
        return false;
    }
    return false;
}

} // namespace orvelt
