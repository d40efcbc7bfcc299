#pragma once

#include <set>
#include <string>

class QMenuBar;

namespace orvelt {

// Gives each key of the menus to the first enabled entry that wants it, in menu order: two
// enabled entries with one key would make it ambiguous, and neither would run. A disabled entry
// keeps showing its key.
void GiveMenuKeysToFirstEnabled(QMenuBar* bar);
// Every key the menus want, as key texts.
[[nodiscard]] std::set<std::string, std::less<>> MenuKeyTexts(QMenuBar* bar);

} // namespace orvelt
