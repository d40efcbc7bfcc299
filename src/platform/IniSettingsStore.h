#pragma once

#include "settings/SettingsStore.h"

#include <QString>

namespace orvelt {

// The settings file in the user's configuration directory. It is read once when made; each
// Commit() rewrites the whole file atomically. A failed write is skipped silently: settings
// never report errors.
class IniSettingsStore : public MemorySettingsStore {
public:
    explicit IniSettingsStore(QString fileName);
    void Commit() override;
    // $XDG_CONFIG_HOME (else ~/.config) + "/orvelt95/orvelt95.ini"
    static QString DefaultFileName();

private:
    QString fileName_;
};

} // namespace orvelt
