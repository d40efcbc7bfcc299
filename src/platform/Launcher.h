#pragma once

#include <QString>
#include <QStringList>

namespace orvelt {

struct LaunchResult {
    enum class Outcome { Started, NotFound, Failed } outcome = Outcome::Failed;
    qint64 processId = 0;
    QString error; // Failed: the operating system's description
};

// Starts programs detached: in a given working directory, with an argument list and no shell,
// standard input from the null device; the editor neither waits nor reads their output.
class Launcher {
public:
    virtual ~Launcher() = default;
    virtual LaunchResult Start(const QString& program, const QStringList& arguments,
                               const QString& workingDirectory) = 0;
};

// The real one. A program without '/' is looked up along PATH only (never in the document's
// folder); one with '/' is a path, a relative one taken from the working directory.
class ProcessLauncher : public Launcher {
public:
    LaunchResult Start(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override;
};

} // namespace orvelt
