#pragma once

#include <QString>
#include <optional>

namespace orvelt {

// What tells one version of a file on disk from another: a rewrite in the same second, a
// rename over it (another inode) or a change of size all show.
struct FileStamp {
    qint64 modifiedNs = 0;
    qint64 size = 0;
    quint64 inode = 0;
    quint64 device = 0;
    bool operator==(const FileStamp&) const = default;
};

// Of the file a link points to; none when it does not exist.
[[nodiscard]] std::optional<FileStamp> StampOfFile(const QString& path);

} // namespace orvelt
