#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace orvelt {

struct FileResult {
    bool ok = false;
    QString error; // the operating system's description when !ok
};

// A path as the file system's bytes, which the logic layer holds, and back.
[[nodiscard]] std::string PathBytes(const QString& path);
[[nodiscard]] QString PathOfBytes(const std::string& bytes);

// The file-name rules of core/FileNames for Qt strings.
[[nodiscard]] QString NamePartOf(const QString& path);
[[nodiscard]] QString UpperExtensionOf(const QString& path);

// Reads a whole file's bytes.
[[nodiscard]] FileResult ReadFileBytes(const QString& path, std::string& bytes);
// Writes the whole of bytes, or leaves the old file whole and reports the system's reason
// ("No space left on device"). The bytes go to a new file beside the target, which is then
// renamed over it. The written file keeps the replaced file's permission bits, owner and group
// (where the process may set them); a new file takes those of permissionsFrom when it is named
// (a sidecar takes its source's), else 0666 less the umask. A symlink is followed and its target
// written. A file with several hard links is written in place, after a safe copy of its old
// content beside it that restores it if the write fails.
[[nodiscard]] FileResult WriteFileAtomically(const QString& path, const std::string& bytes,
                                             const QString& permissionsFrom = {});
// Makes a directory and the missing ones above it.
[[nodiscard]] FileResult MakeDirectories(const QString& path);
// Whether a program can be started in this directory: it exists, is a directory and may be
// entered; else the system's reason.
[[nodiscard]] FileResult UsableDirectory(const QString& path);
// Deletes a file; one that is not there is no failure.
[[nodiscard]] FileResult RemoveFile(const QString& path);
// The last-write time as the packed DOS date-time (local time); none when the file is absent.
[[nodiscard]] std::optional<std::uint32_t> DosFileTime(const QString& path);

} // namespace orvelt
