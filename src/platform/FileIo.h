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

// The file-name rules of core/FileNames for Qt strings.
[[nodiscard]] QString NamePartOf(const QString& path);
[[nodiscard]] QString UpperExtensionOf(const QString& path);

// Reads a whole file's bytes.
[[nodiscard]] FileResult ReadFileBytes(const QString& path, std::string& bytes);
// Writes beside the target and renames over it, so a failed write leaves the old file whole.
[[nodiscard]] FileResult WriteFileAtomically(const QString& path, const std::string& bytes);
// The last-write time as the packed DOS date-time (local time); none when the file is absent.
[[nodiscard]] std::optional<std::uint32_t> DosFileTime(const QString& path);

} // namespace orvelt
