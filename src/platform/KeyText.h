#pragma once

#include <QKeySequence>
#include <QList>
#include <optional>
#include <string>

namespace orvelt {

// A one-key sequence as the settings spell keys ("Shift+Ctrl+A"); none for a sequence of
// several keys or a key the settings cannot name.
[[nodiscard]] std::optional<std::string> KeyTextOf(const QKeySequence& sequence);
// The sequence of a settings key text; empty for none.
[[nodiscard]] QKeySequence SequenceOfKeyText(const std::string& text);

} // namespace orvelt
