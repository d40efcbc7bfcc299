#include "editor/keys/KeyDownPlan.h"

#include <gtest/gtest.h>
#include <string>

namespace orvelt {
namespace {

constexpr std::uint16_t kEnd = 35;
constexpr std::uint16_t kLeft = 37;
constexpr std::uint16_t kA = 65;
constexpr std::uint16_t kF5 = 116;

// What the plan asks, in the order the window carries it out.
std::string Asks(const KeyDownPlan& p) {
    std::string asks;
    asks += p.contextHelp ? " help" : "";
    asks += p.toggleInsertMode ? " insert" : "";
    asks += p.completeCommand ? " complete" : "";
    asks += p.consumeKey ? " swallow" : "";
    asks += p.markEdited ? " edited" : "";
    asks += p.dropBookmark ? " drop" + std::to_string(*p.dropBookmark) : "";
    asks += p.gotoBookmark ? " goto" + std::to_string(*p.gotoBookmark) : "";
    asks += p.rehighlightLine ? " restyle" : "";
    return asks.empty() ? asks : asks.substr(1);
}

TEST(KeyDownPlan, ChecksRunInOrderOnTheKeyAsLeft) {
    struct Row {
        const char* name;
        std::uint16_t key;
        unsigned shift;
        std::uint16_t last;
        bool needs;
        const char* asks;
        std::uint16_t remembered;
    };
    const Row rows[] = {
        {"nominal: Ctrl+F1 asks for help and re-styles like every function key", vk::kF1, kCtrlKey,
         kA, false, "help restyle", vk::kF1},
        {"nominal: Shift+Ctrl+F1 is no help request", vk::kF1, kCtrlKey | kShiftKey, kA, false,
         "restyle", vk::kF1},
        {"nominal: Insert toggles the mode", vk::kInsert, 0, kA, false, "insert", vk::kInsert},
        {"boundary: Shift+Insert (paste) leaves the mode", vk::kInsert, kShiftKey, kA, false, "",
         vk::kInsert},
        {"nominal: Ctrl+Enter completes, is swallowed and is remembered as Ctrl", vk::kReturn,
         kCtrlKey, kA, true, "complete swallow", vk::kControl},
        {"nominal: Enter after editing re-styles the line it splits", vk::kReturn, 0, kA, true,
         "restyle", vk::kReturn},
        {"nominal: Backspace marks the document", vk::kBack, 0, kA, false, "edited", vk::kBack},
        {"nominal: Delete marks the document", vk::kDelete, kShiftKey, kA, false, "edited",
         vk::kDelete},
        {"nominal: Ctrl+Shift+3 drops bookmark 3", 51, kCtrlKey | kShiftKey, kA, false, "drop3",
         51},
        {"nominal: Ctrl+0 goes to bookmark 0", vk::kDigit0, kCtrlKey, kA, false, "goto0",
         vk::kDigit0},
        {"boundary: Ctrl+Alt+9 is neither", vk::kDigit9, kCtrlKey | kAltKey, kA, false, "",
         vk::kDigit9},
        {"boundary: Ctrl+9 with a mouse button held is not exactly Ctrl", vk::kDigit9,
         kCtrlKey | kMouseButton, kA, false, "", vk::kDigit9},
        {"nominal: Ctrl+Shift+R re-styles too", vk::kR, kCtrlKey | kShiftKey, kA, false, "restyle",
         vk::kR},
        {"nominal: the first caret move after editing re-styles", kLeft, 0, kA, true, "restyle",
         kLeft},
        {"nominal: a caret move after a caret move does not", vk::kDown, 0, kEnd, true, "",
         vk::kDown},
        {"nominal: a caret move after Enter does not", vk::kPageUp, 0, vk::kReturn, true, "",
         vk::kPageUp},
        {"nominal: a caret move over an unedited line does not", vk::kDown, 0, kA, false, "",
         vk::kDown},
        {"nominal: any function key re-styles, with any shift state", kF5, kAltKey | kShiftKey,
         kLeft, false, "restyle", kF5},
        {"boundary: F24 is the last function key", vk::kF24, 0, kA, false, "restyle", vk::kF24},
        {"boundary: a letter only becomes the last key", kA, 0, kLeft, true, "", kA},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const KeyDownPlan plan = PlanKeyDown(row.key, row.shift, row.last, row.needs);
        EXPECT_EQ(Asks(plan), row.asks);
        EXPECT_EQ(plan.lastKeyDown, row.remembered);
    }
}

} // namespace
} // namespace orvelt
