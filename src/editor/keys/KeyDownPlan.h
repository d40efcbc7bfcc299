#pragma once

#include <cstdint>
#include <optional>

namespace orvelt {

// Virtual key codes as the editing keys are defined: the digit row is 48..57 whatever the
// keyboard layout prints on it, letters are their upper-case ASCII codes.
namespace vk {
inline constexpr std::uint16_t kBack = 8;
inline constexpr std::uint16_t kReturn = 13;
inline constexpr std::uint16_t kControl = 17;
inline constexpr std::uint16_t kPageUp = 33;
inline constexpr std::uint16_t kDown = 40;
inline constexpr std::uint16_t kInsert = 45;
inline constexpr std::uint16_t kDelete = 46;
inline constexpr std::uint16_t kDigit0 = 48;
inline constexpr std::uint16_t kDigit9 = 57;
inline constexpr std::uint16_t kR = 82;
inline constexpr std::uint16_t kF1 = 112;
inline constexpr std::uint16_t kF24 = 135;
} // namespace vk

// The held modifier keys and mouse buttons.
enum ShiftBit : unsigned {
    kShiftKey = 1u << 0,
    kCtrlKey = 1u << 1,
    kAltKey = 1u << 2,
    kMouseButton = 1u << 3,
};

// What a key-down asks of the source window, in the order the window carries it out.
struct KeyDownPlan {
    bool contextHelp = false;
    bool toggleInsertMode = false;
    bool completeCommand = false;
    bool consumeKey = false; // Ctrl+Enter completes instead of breaking the line
    bool markEdited = false;
    std::optional<int> dropBookmark;
    std::optional<int> gotoBookmark;
    bool rehighlightLine = false;
    std::uint16_t lastKeyDown = 0;

    bool operator==(const KeyDownPlan&) const = default;
};

// key: the virtual key; shift: ShiftBit set; lastKeyDown: the previous key-down's result;
// needsRehighlight: whether the caret line was edited since it was last re-styled.
[[nodiscard]] KeyDownPlan PlanKeyDown(std::uint16_t key, unsigned shift, std::uint16_t lastKeyDown,
                                      bool needsRehighlight);

} // namespace orvelt
