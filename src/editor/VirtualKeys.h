#pragma once

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace orvelt {

// The key of a key event as a virtual key code of the editing keys (KeyDownPlan.h); 0 for a
// key they do not name. A key of the digit row is its digit whatever Shift or the layout
// made of it, so Ctrl+Shift+3 is the 3 key, not "#".
[[nodiscard]] std::uint16_t VirtualKeyOf(const QKeyEvent& event);
// The character a key event types into the text: Backspace as '\b', Return as '\r', a
// printable character or a tab as itself; none for a key that types nothing.
[[nodiscard]] std::optional<char32_t> TypedCharacterOf(const QKeyEvent& event);
// Held Shift, Ctrl and Alt keys and mouse buttons as a ShiftBit set.
[[nodiscard]] unsigned ShiftStateOf(const QKeyEvent& event);

} // namespace orvelt
