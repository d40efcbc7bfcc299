#include "app/RecoveryFolder.h"

#include "platform/FileIo.h"
#include "platform/Prompter.h"
#include "widgets/ChildWindow.h"

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

QString RecoveryFolder::KeepUnsaved(const QList<ChildWindow*>& children) {
    std::vector<RecoveryCopy> copies;
    for (ChildWindow* child : children)
        if (child->IsModified())
            copies.push_back({child->FileNameOf().toStdString(), child->windowTitle().toStdString(),
                              child->PlainText()});
    return Keep(copies);
}

void RecoveryFolder::Offer(Prompter& prompter,
                           const std::function<void(const RecoveryCopy&)>& open) {
    const std::vector<Kept> kept = Copies();
    if (kept.empty())
        return;
    const Answer answer = prompter.Message(
        MessageKind::Confirmation, MessageButtons::YesNo,
        QStringLiteral("The unsaved text of %1 document(s) was kept when the last session "
                       "ended. Open it now? (No discards it.)")
            .arg(kept.size()));
    for (const Kept& k : kept) {
        if (answer == Answer::Yes)
            open(k.copy);
        Remove(k.file);
    }
}

} // namespace orvelt
