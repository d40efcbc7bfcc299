#include "platform/FileStamp.h"

#include <QFile>
#include <sys/stat.h>

namespace orvelt {

std::optional<FileStamp> StampOfFile(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileStamp{static_cast<qint64>(info.st_mtim.tv_sec) * 1'000'000'000 +
                         static_cast<qint64>(info.st_mtim.tv_nsec),
                     static_cast<qint64>(info.st_size), static_cast<quint64>(info.st_ino),
                     static_cast<quint64>(info.st_dev)};
}

} // namespace orvelt
