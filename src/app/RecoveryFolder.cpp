#include "app/RecoveryFolder.h"

#include "platform/Prompter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace orvelt {

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

FileResult MakePrivateFolder(const QString& folder) {
    if (FileResult made = MakeDirectories(folder); !made.ok)
        return {false, folder + ": " + made.error};
    // Nobody else may enter the folder, so nothing of the text is readable while it is written.
    QFile::setPermissions(folder, kOwnerOnly | QFileDevice::ExeOwner);
    return {true, {}};
}

// The owner a copy's file name gives: "copy-<owner>-<window>.txt".
QString OwnerOfCopy(const QString& name) {
    const QString middle = name.mid(5, name.size() - 5 - 4);
    return middle.left(middle.lastIndexOf('-'));
}

// Whether the instance that wrote a lock file still runs: it holds the file locked for as long
// as it lives, and the kernel lets go when it ends however it ends (a killed process, even one
// not yet reaped, or a process id since given to another program, holds nothing).
bool OwnerRuns(const QString& lockFile) {
    const int fd = ::open(QFile::encodeName(lockFile).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd); // also lets go of the shared lock just taken
    return held;
}

} // namespace

RecoveryFolder::RecoveryFolder(QString path)
    : path_(std::move(path)),
      owner_(QStringLiteral("%1-%2")
                 .arg(::getpid())
                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))) {}

RecoveryFolder::~RecoveryFolder() {
    if (lock_ >= 0) {
        QFile::remove(path_ + "/" + owner_ + ".lock");
        ::close(lock_);
    }
}

QString RecoveryFolder::DefaultPath() {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + "/.local/state";
    return base + "/orvelt95";
}

FileResult RecoveryFolder::Claim() {
    if (lock_ >= 0)
        return {true, {}};
    if (FileResult made = MakePrivateFolder(path_); !made.ok)
        return made;
    // Locked under a name of its own first: another instance never sees it unlocked, which
    // would tell it that this one had ended.
    const QString lock = path_ + "/" + owner_ + ".lock";
    const QString fresh = lock + ".new";
    const int fd =
        ::open(QFile::encodeName(fresh).constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const auto failed = [&](int error) {
        if (fd >= 0) {
            ::close(fd);
            QFile::remove(fresh);
        }
        return FileResult{false, lock + ": " + QString::fromLocal8Bit(std::strerror(error))};
    };
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return failed(errno);
    const std::string pid = std::to_string(::getpid()) + "\n"; // for a person looking in
    if (::write(fd, pid.data(), pid.size()) != static_cast<ssize_t>(pid.size()) ||
        ::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(lock).constData()) != 0)
        return failed(errno);
    lock_ = fd;
    return {true, {}};
}

QString RecoveryFolder::CopyFile(int window) const {
    return QStringLiteral("%1/copy-%2-%3.txt").arg(path_, owner_).arg(window);
}

FileResult RecoveryFolder::Write(const QString& folder, const QString& file,
                                 const RecoveryCopy& copy) {
    if (FileResult made = MakePrivateFolder(folder); !made.ok)
        return made;
    if (FileResult written = WriteFileAtomically(file, FormatRecoveryCopy(copy)); !written.ok)
        return {false, file + ": " + written.error};
    QFile::setPermissions(file, kOwnerOnly);
    return {true, {}};
}

std::vector<RecoveryFolder::Kept> RecoveryFolder::Orphans() const {
    std::vector<Kept> kept;
    const QDir folder(path_);
    for (const QString& name : folder.entryList({"copy-*.txt"}, QDir::Files)) {
        const QString owner = OwnerOfCopy(name);
        if (owner == owner_ || OwnerRuns(folder.filePath(owner + ".lock")))
            continue; // another instance's, while it runs
        const QString file = folder.filePath(name);
        std::string bytes;
        if (!ReadFileBytes(file, bytes).ok)
            continue;
        RecoveryRead read = ReadRecoveryCopy(bytes);
        if (read.outcome != RecoveryRead::Outcome::NotACopy)
            kept.push_back({file, std::move(read)});
    }
    // Oldest first; copies of one second in the order of their windows.
    const auto window = [](const QString& file) {
        const QString base = QFileInfo(file).completeBaseName();
        return base.mid(base.lastIndexOf('-') + 1).toInt();
    };
    std::sort(kept.begin(), kept.end(), [&](const Kept& a, const Kept& b) {
        if (a.read.copy.writtenAt != b.read.copy.writtenAt)
            return a.read.copy.writtenAt < b.read.copy.writtenAt;
        return window(a.file) != window(b.file) ? window(a.file) < window(b.file) : a.file < b.file;
    });
    return kept;
}

void RecoveryFolder::Offer(Prompter& prompter,
                           const std::function<QString(const RecoveryCopy&)>& open) {
    for (const Kept& kept : Orphans()) {
        const RecoveryCopy& copy = kept.read.copy;
        const QString name =
            QString::fromStdString(copy.fileName.empty() ? copy.caption : copy.fileName);
        if (kept.read.outcome == RecoveryRead::Outcome::Damaged) {
            prompter.Message(MessageKind::Warning, MessageButtons::Ok,
                             QStringLiteral("The recovery copy %1%2 is damaged and cannot be "
                                            "opened. It is kept.")
                                 .arg(kept.file, name.isEmpty() ? QString() : " of " + name));
            continue;
        }
        const QDateTime written = QDateTime::fromSecsSinceEpoch(copy.writtenAt);
        QString question = QStringLiteral("%1 has unsaved text from %2. Open it?")
                               .arg(name, written.toString("yyyy-MM-dd hh:mm"));
        const QFileInfo file(QString::fromStdString(copy.fileName));
        if (!copy.fileName.empty() && file.exists() &&
            file.lastModified().toSecsSinceEpoch() > copy.writtenAt)
            question += QStringLiteral("\nThe file was saved later, at %1.")
                            .arg(file.lastModified().toString("yyyy-MM-dd hh:mm"));
        switch (
            prompter.Message(MessageKind::Confirmation, MessageButtons::YesNoCancel, question)) {
        case Answer::Yes: {
            const QString adopted = open(copy);
            if (adopted.isEmpty() || !Claim().ok) {
                QFile::remove(kept.file);
                break;
            }
            QFile::remove(adopted);
            QFile::rename(kept.file, adopted);
            break;
        }
        case Answer::No:
            QFile::remove(kept.file);
            break;
        default:
            break; // kept for the next start
        }
    }
    // A crashed instance leaves its lock behind; it guards nothing once its process is gone.
    const QDir folder(path_);
    for (const QString& name : folder.entryList({"*.lock", "*.lock.new"}, QDir::Files)) {
        if (name != owner_ + ".lock" && !OwnerRuns(folder.filePath(name)))
            QFile::remove(folder.filePath(name));
    }
}

} // namespace orvelt
