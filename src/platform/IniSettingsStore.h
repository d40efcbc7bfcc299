#pragma once

#include "settings/SettingsStore.h"

#include <QString>
#include <optional>

namespace orvelt {

// Why the settings could not be written: the file or folder, and the system's reason.
struct SettingsWriteError {
    QString fileName;
    QString reason;
};

// The settings file in the user's configuration directory. It is read once when made; each
// Commit() rewrites the whole file atomically. A failed write leaves the values in memory and
// is remembered, so that the program can say at its end that its settings were not saved.
class IniSettingsStore : public MemorySettingsStore {
public:
    explicit IniSettingsStore(QString fileName);
    void Commit() override;
    // The failure of the last Commit(); none when it wrote the file (or nothing was committed).
    [[nodiscard]] const std::optional<SettingsWriteError>& LastCommitError() const {
        return lastCommitError_;
    }
    [[nodiscard]] std::optional<std::string> CommitFailure() const override;
    // $XDG_CONFIG_HOME (else ~/.config) + "/orvelt95/orvelt95.ini"
    static QString DefaultFileName();

private:
    QString fileName_;
    std::optional<SettingsWriteError> lastCommitError_;
};

} // namespace orvelt
