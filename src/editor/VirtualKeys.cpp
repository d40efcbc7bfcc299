#include "editor/VirtualKeys.h"

#include "editor/keys/KeyDownPlan.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <optional>

namespace orvelt {

namespace {

// Qt reports the character a key made: Shift+3 is "#" on a US layout, and a French layout
// prints no digits on that row at all. The physical key decides.
std::optional<int> DigitRowDigit(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return key - Qt::Key_0;
    const QString platform = QGuiApplication::platformName();
    if (platform == "xcb" || platform.startsWith("wayland")) {
        // XKB key codes of the digit row: 10 is the 1 key, ..., 19 the 0 key.
        const quint32 code = event.nativeScanCode();
        if (code >= 10 && code <= 19)
            return static_cast<int>(code - 9) % 10;
    }
    const quint32 native = event.nativeVirtualKey();
    if (native >= '0' && native <= '9')
        return static_cast<int>(native - '0');
    if (!(event.modifiers() & Qt::ShiftModifier))
        return std::nullopt;
    switch (key) { // the shifted digit row of a US keyboard
    case Qt::Key_ParenRight:
        return 0;
    case Qt::Key_Exclam:
        return 1;
    case Qt::Key_At:
        return 2;
    case Qt::Key_NumberSign:
        return 3;
    case Qt::Key_Dollar:
        return 4;
    case Qt::Key_Percent:
        return 5;
    case Qt::Key_AsciiCircum:
        return 6;
    case Qt::Key_Ampersand:
        return 7;
    case Qt::Key_Asterisk:
        return 8;
    case Qt::Key_ParenLeft:
        return 9;
    default:
        return std::nullopt;
    }
}

} // namespace

std::uint16_t VirtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    switch (key) {
    case Qt::Key_Backspace:
        return vk::kBack;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vk::kReturn;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return vk::kControl;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return vk::kInsert;
    case Qt::Key_Delete:
        return vk::kDelete;
    default:
        break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<std::uint16_t>(vk::kF1 + (key - Qt::Key_F1));
    if (event.modifiers() & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return static_cast<std::uint16_t>(96 + (key - Qt::Key_0)); // the number pad's own
        return 0;
    }
    if (std::optional<int> digit = DigitRowDigit(event))
        return static_cast<std::uint16_t>(vk::kDigit0 + *digit);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::uint16_t>(key);
    return 0;
}

unsigned ShiftStateOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    unsigned shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= kShiftKey;
    if (modifiers & Qt::ControlModifier)
        shift |= kCtrlKey;
    if (modifiers & Qt::AltModifier)
        shift |= kAltKey;
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        shift |= kMouseButton;
    return shift;
}

std::optional<char32_t> TypedCharacterOf(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Backspace)
        return U'\b';
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return U'\r';
    const QString text = event.text();
    // Only what the surface itself inserts: Ctrl and Ctrl+Shift combinations (copy, select
    // all, ...) type nothing, so they must not mark the document as changed either.
    const Qt::KeyboardModifiers held = event.modifiers() & ~Qt::KeypadModifier;
    if (text.isEmpty() || held == Qt::ControlModifier ||
        held == (Qt::ControlModifier | Qt::ShiftModifier))
        return std::nullopt;
    if (!text.at(0).isPrint() && text != "\t")
        return std::nullopt;
    return text.toUcs4().value(0);
}

} // namespace orvelt
