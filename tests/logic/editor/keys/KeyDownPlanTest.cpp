#include "editor/keys/KeyDownPlan.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

constexpr std::uint16_t kEnd = 35;
constexpr std::uint16_t kLeft = 37;
constexpr std::uint16_t kA = 65;
constexpr std::uint16_t kF5 = 116;

TEST(KeyDownPlan, ChecksRunInOrderOnTheKeyAsLeft) {
    struct Row {
        const char* name;
        std::uint16_t key;
        unsigned shift;
        std::uint16_t last;
        bool needs;
        KeyDownPlan expected;
    };
    auto plan = [](auto edit) {
        KeyDownPlan p;
        edit(p);
        return p;
    };
    const Row rows[] = {
        {"nominal: Ctrl+F1 asks for help and re-styles like every function key", vk::kF1, kCtrlKey,
         kA, false, plan([](KeyDownPlan& p) {
             p.contextHelp = true;
             p.rehighlightLine = true;
             p.lastKeyDown = vk::kF1;
         })},
        {"nominal: Shift+Ctrl+F1 is no help request", vk::kF1, kCtrlKey | kShiftKey, kA, false,
         plan([](KeyDownPlan& p) {
             p.rehighlightLine = true;
             p.lastKeyDown = vk::kF1;
         })},
        {"nominal: Insert toggles the mode", vk::kInsert, 0, kA, false, plan([](KeyDownPlan& p) {
             p.toggleInsertMode = true;
             p.lastKeyDown = vk::kInsert;
         })},
        {"boundary: Shift+Insert (paste) leaves the mode", vk::kInsert, kShiftKey, kA, false,
         plan([](KeyDownPlan& p) { p.lastKeyDown = vk::kInsert; })},
        {"nominal: Ctrl+Enter completes, is swallowed and is remembered as Ctrl", vk::kReturn,
         kCtrlKey, kA, true, plan([](KeyDownPlan& p) {
             p.completeCommand = true;
             p.consumeKey = true;
             p.lastKeyDown = vk::kControl;
         })},
        {"nominal: Enter after editing re-styles the line it splits", vk::kReturn, 0, kA, true,
         plan([](KeyDownPlan& p) {
             p.rehighlightLine = true;
             p.lastKeyDown = vk::kReturn;
         })},
        {"nominal: Backspace marks the document", vk::kBack, 0, kA, false, plan([](KeyDownPlan& p) {
             p.markEdited = true;
             p.lastKeyDown = vk::kBack;
         })},
        {"nominal: Delete marks the document", vk::kDelete, kShiftKey, kA, false,
         plan([](KeyDownPlan& p) {
             p.markEdited = true;
             p.lastKeyDown = vk::kDelete;
         })},
        {"nominal: Ctrl+Shift+3 drops bookmark 3", 51, kCtrlKey | kShiftKey, kA, false,
         plan([](KeyDownPlan& p) {
             p.dropBookmark = 3;
             p.lastKeyDown = 51;
         })},
        {"nominal: Ctrl+0 goes to bookmark 0", vk::kDigit0, kCtrlKey, kA, false,
         plan([](KeyDownPlan& p) {
             p.gotoBookmark = 0;
             p.lastKeyDown = vk::kDigit0;
         })},
        {"boundary: Ctrl+Alt+9 is neither", vk::kDigit9, kCtrlKey | kAltKey, kA, false,
         plan([](KeyDownPlan& p) { p.lastKeyDown = vk::kDigit9; })},
        {"boundary: Ctrl+9 with a mouse button held is not exactly Ctrl", vk::kDigit9,
         kCtrlKey | kMouseButton, kA, false,
         plan([](KeyDownPlan& p) { p.lastKeyDown = vk::kDigit9; })},
        {"nominal: Ctrl+Shift+R re-styles too", vk::kR, kCtrlKey | kShiftKey, kA, false,
         plan([](KeyDownPlan& p) {
             p.rehighlightLine = true;
             p.lastKeyDown = vk::kR;
         })},
        {"nominal: the first caret move after editing re-styles", kLeft, 0, kA, true,
         plan([](KeyDownPlan& p) {
             p.rehighlightLine = true;
             p.lastKeyDown = kLeft;
         })},
        {"nominal: a caret move after a caret move does not", vk::kDown, 0, kEnd, true,
         plan([](KeyDownPlan& p) { p.lastKeyDown = vk::kDown; })},
        {"nominal: a caret move after Enter does not", vk::kPageUp, 0, vk::kReturn, true,
         plan([](KeyDownPlan& p) { p.lastKeyDown = vk::kPageUp; })},
        {"nominal: a caret move over an unedited line does not", vk::kDown, 0, kA, false,
         plan([](KeyDownPlan& p) { p.lastKeyDown = vk::kDown; })},
        {"nominal: any function key re-styles, with any shift state", kF5, kAltKey | kShiftKey,
         kLeft, false, plan([](KeyDownPlan& p) {
             p.rehighlightLine = true;
             p.lastKeyDown = kF5;
         })},
        {"boundary: F24 is the last function key", vk::kF24, 0, kA, false, plan([](KeyDownPlan& p) {
             p.rehighlightLine = true;
             p.lastKeyDown = vk::kF24;
         })},
        {"boundary: a letter only becomes the last key", kA, 0, kLeft, true,
         plan([](KeyDownPlan& p) { p.lastKeyDown = kA; })},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PlanKeyDown(row.key, row.shift, row.last, row.needs), row.expected);
    }
}

} // namespace
} // namespace orvelt
