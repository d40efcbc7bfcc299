#include "platform/FileIo.h"

#include "core/DosDateTime.h"
#include "core/FileNames.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace orvelt {

namespace {

FileResult Failure(int error) {
    return {false, QString::fromLocal8Bit(std::strerror(error))};
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Replaces path by the file its chain of symlinks ends at; a dangling link's target is the
// file to create.
int FollowLinks(std::string& path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(info.st_mode))
            return 0;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
        if (length < 0)
            return errno;
        link.resize(static_cast<std::size_t>(length));
        path = link.starts_with('/') ? link : DirectoryOf(path) + "/" + link;
    }
    return ELOOP;
}

int WriteAll(int fd, const std::string& bytes) {
    const char* next = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, std::min<std::size_t>(left, 1u << 30));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    return 0;
}

int ReadAll(int fd, std::string& bytes) {
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (got == 0)
            return 0;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

// Writes, flushes to the disk and closes fd; every step is checked, and fd is closed either way.
int WriteSyncClose(int fd, const std::string& bytes) {
    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

// A new, unique file beside target, hidden and named after it; created as open() would, with
// 0666 less the umask.
int CreateBeside(const std::string& target, std::string& name, int& fd) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    const std::size_t slash = target.rfind('/');
    const std::string stem =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    // Short enough that the name stays within the file system's 255 bytes.
    const std::string base = target.substr(stem.size()).substr(0, 200);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + "." + base + ".";
        for (int i = 0; i < 6; ++i)
            name += kLetters[pick(random)];
        fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return 0;
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

void SyncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

// The bytes go to a new file that is renamed over the target: the old file stays whole until the
// new one is complete on the disk. old is the replaced file, model the one a new file copies.
FileResult WriteByRename(const std::string& target, const std::string& bytes,
                         const struct stat* old, const struct stat* model) {
    std::string temporary;
    int fd = -1;
    if (int error = CreateBeside(target, temporary, fd))
        return Failure(error);
    int error = 0;
    // Before any byte is written: a private file's content is never readable by others.
    if (old && ::fchown(fd, old->st_uid, old->st_gid) != 0 && errno != EPERM)
        error = errno;
    const struct stat* bitsFrom = old ? old : model;
    const mode_t bitsMask = old ? 07777 : 0777;
    if (error == 0 && bitsFrom && ::fchmod(fd, bitsFrom->st_mode & bitsMask) != 0)
        error = errno;
    if (error == 0)
        error = WriteSyncClose(fd, bytes);
    else
        ::close(fd);
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return Failure(error);
    }
    SyncDirectory(DirectoryOf(target));
    return {true, {}};
}

int Rewrite(const std::string& target, const std::string& bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    return fd < 0 ? errno : WriteSyncClose(fd, bytes);
}

// A rename would part the target from its other names, so it is rewritten in place. Its old
// content is first copied beside it, which survives a crash, and is put back if the write fails.
FileResult WriteInPlace(const std::string& target, const std::string& bytes) {
    std::string oldBytes;
    const int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Failure(errno);
    const int readError = ReadAll(fd, oldBytes);
    ::close(fd);
    if (readError != 0)
        return Failure(readError);

    std::string copy;
    int copyFd = -1;
    if (int error = CreateBeside(target, copy, copyFd))
        return Failure(error);
    int error = ::fchmod(copyFd, 0600) != 0 ? errno : 0;
    if (error == 0)
        error = WriteSyncClose(copyFd, oldBytes);
    else
        ::close(copyFd);
    if (error != 0) {
        ::unlink(copy.c_str());
        return Failure(error);
    }

    error = Rewrite(target, bytes);
    if (error == 0) {
        ::unlink(copy.c_str());
        return {true, {}};
    }
    FileResult failed = Failure(error);
    if (Rewrite(target, oldBytes) == 0)
        ::unlink(copy.c_str());
    else
        failed.error +=
            QStringLiteral("; the old content is kept in ") + QFile::decodeName(copy.c_str());
    return failed;
}

} // namespace

std::string PathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString PathOfBytes(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

QString NamePartOf(const QString& path) {
    const std::string bytes = path.toStdString();
    return QString::fromStdString(std::string(NamePart(bytes)));
}

QString UpperExtensionOf(const QString& path) {
    return QString::fromStdString(UpperExtension(path.toStdString()));
}

FileResult ReadFileBytes(const QString& path, std::string& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, file.errorString()};
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {false, file.errorString()};
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return {true, {}};
}

FileResult WriteFileAtomically(const QString& path, const std::string& bytes,
                               const QString& permissionsFrom) {
    std::string target = PathBytes(path);
    if (int error = FollowLinks(target))
        return Failure(error);
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) {
        if (errno != ENOENT)
            return Failure(errno);
        struct stat model {};
        const bool hasModel =
            !permissionsFrom.isEmpty() && ::stat(PathBytes(permissionsFrom).c_str(), &model) == 0;
        return WriteByRename(target, bytes, nullptr, hasModel ? &model : nullptr);
    }
    if (S_ISDIR(old.st_mode))
        return Failure(EISDIR);
    if (!S_ISREG(old.st_mode))
        return {false, QStringLiteral("Not a regular file")};
    // A rename needs only the directory's permission: a file the user may not write stays so.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return Failure(errno);
    if (old.st_nlink > 1)
        return WriteInPlace(target, bytes);
    return WriteByRename(target, bytes, &old, nullptr);
}

FileResult MakeDirectories(const QString& path) {
    const std::string full = PathBytes(path);
    for (std::size_t end = 1; end <= full.size(); ++end) {
        if (end < full.size() && full[end] != '/')
            continue;
        const std::string part = full.substr(0, end);
        struct stat info {};
        if (::stat(part.c_str(), &info) == 0) {
            if (!S_ISDIR(info.st_mode))
                return Failure(ENOTDIR);
            continue;
        }
        if (errno != ENOENT)
            return Failure(errno);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
            return Failure(errno);
    }
    return {true, {}};
}

FileResult UsableDirectory(const QString& path) {
    if (path.isEmpty())
        return Failure(ENOENT);
    struct stat info {};
    const std::string name = PathBytes(path);
    if (::stat(name.c_str(), &info) != 0)
        return Failure(errno);
    if (!S_ISDIR(info.st_mode))
        return Failure(ENOTDIR);
    if (::access(name.c_str(), X_OK) != 0)
        return Failure(errno);
    return {true, {}};
}

FileResult RemoveFile(const QString& path) {
    if (::unlink(PathBytes(path).c_str()) != 0 && errno != ENOENT)
        return Failure(errno);
    return {true, {}};
}

std::optional<std::uint32_t> DosFileTime(const QString& path) {
    QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    QDateTime t = info.lastModified().toLocalTime();
    return PackDosDateTime(t.date().year(), t.date().month(), t.date().day(), t.time().hour(),
                           t.time().minute(), t.time().second());
}

} // namespace orvelt
