#include "platform/DataFolders.h"

#include <QDir>
#include <map>

namespace orvelt {

QString UserDataFolder(const QString& kind) {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + "/.local/share";
    return base + "/orvelt95/" + kind;
}

std::vector<DataFile> DataFiles(const QString& programDirectory, const QString& kind) {
    std::map<QString, QString> byName;
    // The installed folder first, so that the user's copy replaces it.
    for (const QString& folder : {programDirectory + "/" + kind, UserDataFolder(kind)}) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
            if (!name.endsWith(".orv", Qt::CaseInsensitive))
                byName[name] = dir.filePath(name);
    }
    std::vector<DataFile> files;
    for (const auto& [name, path] : byName)
        files.push_back({name, path});
    return files;
}

} // namespace orvelt
