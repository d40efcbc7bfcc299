#include "app/RecoveryFolder.h"

#include "platform/FileIo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace orvelt {

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

RecoveryFolder::RecoveryFolder(QString path) : path_(std::move(path)) {}

QString RecoveryFolder::DefaultPath() {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + "/.local/state";
    return base + "/orvelt95";
}

QString RecoveryFolder::Keep(const std::vector<RecoveryCopy>& copies) {
    if (copies.empty())
        return {};
    if (FileResult made = MakeDirectories(path_); !made.ok)
        return path_ + ": " + made.error;
    // Nobody else may enter the folder, so nothing of the text is readable while it is written.
    QFile::setPermissions(path_, kOwnerOnly | QFileDevice::ExeOwner);
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss-zzz");
    int n = 0;
    for (const RecoveryCopy& copy : copies) {
        const QString file = QStringLiteral("%1/unsaved-%2-%3.txt").arg(path_, stamp).arg(++n);
        if (FileResult written = WriteFileAtomically(file, FormatRecoveryCopy(copy)); !written.ok)
            return file + ": " + written.error;
        QFile::setPermissions(file, kOwnerOnly);
    }
    return {};
}

std::vector<RecoveryFolder::Kept> RecoveryFolder::Copies() const {
    std::vector<Kept> kept;
    const QDir folder(path_);
    for (const QString& name : folder.entryList({"unsaved-*.txt"}, QDir::Files, QDir::Name)) {
        const QString file = folder.filePath(name);
        std::string bytes;
        if (!ReadFileBytes(file, bytes).ok)
            continue;
        if (auto copy = ParseRecoveryCopy(bytes))
            kept.push_back({file, std::move(*copy)});
    }
    return kept;
}

void RecoveryFolder::Remove(const QString& file) {
    QFile::remove(file);
}

} // namespace orvelt
