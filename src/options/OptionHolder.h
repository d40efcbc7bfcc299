#pragma once

#include "core/KeywordTable.h"
#include "options/values/OptionValues.h"

#include <QObject>
#include <QString>

namespace orvelt {

// The one live holder of the user's options for the whole run: windows read an option here
// when they need it, so a change applies at once. Only reading and writing the store is done
// at fixed times (start, the options dialog's Close, the end of the run).
class OptionHolder : public QObject {
    Q_OBJECT
public:
    explicit OptionHolder(SettingsStore& store, QObject* parent = nullptr);

    [[nodiscard]] OptionValues& Values() { return values_; }
    [[nodiscard]] const OptionValues& Values() const { return values_; }
    [[nodiscard]] const KeywordTable& Keywords() const { return keywords_; }

    // KEYWORDS.TXT of the program directory; a missing file leaves the list empty.
    void LoadKeywords(const QString& programDirectory);
    // The end of the run writes what it always has.
    void WriteAtEnd();

signals:
    // Some option changed: open windows apply it.
    void Changed();

private:
    SettingsStore& store_;
    OptionValues values_;
    KeywordTable keywords_;
};

} // namespace orvelt
