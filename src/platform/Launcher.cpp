#include "platform/Launcher.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace orvelt {

LaunchResult ProcessLauncher::Start(const QString& program, const QStringList& arguments,
                                    const QString& workingDirectory) {
    LaunchResult result;
    QString path;
    if (program.contains('/')) {
        path = QFileInfo(program).isAbsolute() ? program : workingDirectory + "/" + program;
        if (!QFileInfo::exists(path)) {
            result.outcome = LaunchResult::Outcome::NotFound;
            return result;
        }
    } else {
        path = QStandardPaths::findExecutable(program);
        if (path.isEmpty()) {
            result.outcome = LaunchResult::Outcome::NotFound;
            return result;
        }
    }
    // What the start itself would say, said first: Qt's message names execv, not the file.
    int error = 0;
    if (QFileInfo(path).isDir())
        error = EISDIR;
    else if (::access(QFile::encodeName(path).constData(), X_OK) != 0)
        error = errno;
    if (error != 0) {
        result.error = QString::fromLocal8Bit(std::strerror(error));
        return result;
    }
    QProcess process;
    process.setProgram(path);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDirectory);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached(&result.processId)) {
        result.error = process.errorString();
        return result;
    }
    result.outcome = LaunchResult::Outcome::Started;
    return result;
}

} // namespace orvelt
