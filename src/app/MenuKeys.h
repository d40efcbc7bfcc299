#pragma once

#include <QKeySequence>
#include <QList>
#include <set>
#include <string>

class QMenuBar;

namespace orvelt {

// Gives each key of the menus to the first enabled entry that wants it, in menu order: two
// enabled entries with one key would make it ambiguous, and neither would run. A disabled entry
// keeps showing its key.
void GiveMenuKeysToFirstEnabled(QMenuBar* bar);
// Every key the menus want, the standard editing keys and the window's own, as key texts: the
// keys no snippet may take.
[[nodiscard]] std::set<std::string, std::less<>>
OccupiedKeyTexts(QMenuBar* bar, const QList<QKeySequence>& ownKeys);

} // namespace orvelt
