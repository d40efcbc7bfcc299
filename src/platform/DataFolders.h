#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace orvelt {

// Templates and snippets live in two folders of a kind ("Template", "Shortcut"): the user's,
// under $XDG_DATA_HOME/orvelt95 (else ~/.local/share/orvelt95), which the program writes, and
// the installed one beside the program, which it only reads.
[[nodiscard]] QString UserDataFolder(const QString& kind);

struct DataFile {
    QString name; // the file's name, which a copy in the user's folder shares
    QString path;
};
// The files of both folders by name, the user's copy winning on a name clash; sidecars left
// out.
[[nodiscard]] std::vector<DataFile> DataFiles(const QString& programDirectory, const QString& kind);

} // namespace orvelt
