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
    const QString folder = QFileInfo(fileName_).absolutePath();
    if (FileResult made = MakeDirectories(folder); !made.ok) {
        lastCommitError_ = SettingsWriteError{folder, made.error};
        return;
    }
    FileResult written = WriteFileAtomically(fileName_, FormatIniSection(Values(), kSection));
    if (written.ok)
        lastCommitError_.reset();
    else
        lastCommitError_ = SettingsWriteError{fileName_, written.error};
}

std::optional<std::string> IniSettingsStore::CommitFailure() const {
    if (!lastCommitError_)
        return std::nullopt;
    return (lastCommitError_->fileName + ": " + lastCommitError_->reason).toStdString();
}

QString IniSettingsStore::DefaultFileName() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + "/.config";
    return base + "/orvelt95/orvelt95.ini";
}

} // namespace orvelt
