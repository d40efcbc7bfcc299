#include "platform/IniSettingsStore.h"

#include "platform/FileIo.h"
#include "settings/IniText.h"

#include <QDir>
#include <QFileInfo>

namespace orvelt {

namespace {
constexpr const char* kSection = "Orvelt95";
}

IniSettingsStore::IniSettingsStore(QString fileName) : fileName_(std::move(fileName)) {
    std::string bytes;
    if (ReadFileBytes(fileName_, bytes).ok)
        Replace(ParseIniSection(bytes, kSection));
}

void IniSettingsStore::Commit() {
    QDir().mkpath(QFileInfo(fileName_).absolutePath());
    (void)WriteFileAtomically(fileName_, FormatIniSection(Values(), kSection));
}

QString IniSettingsStore::DefaultFileName() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + "/.config";
    return base + "/orvelt95/orvelt95.ini";
}

} // namespace orvelt
