#include "editor/keys/KeyDownPlan.h"

namespace orvelt {

namespace {

bool IsCaretMove(std::uint16_t key) {
    return key >= vk::kPageUp && key <= vk::kDown;
}

bool IsDigitRow(std::uint16_t key) {
    return key >= vk::kDigit0 && key <= vk::kDigit9;
}

} // namespace

KeyDownPlan PlanKeyDown(std::uint16_t key, unsigned shift, std::uint16_t lastKeyDown,
                        bool needsRehighlight) {
    KeyDownPlan plan;
    const bool ctrl = (shift & kCtrlKey) != 0;
    if (key == vk::kF1 && shift == kCtrlKey)
        plan.contextHelp = true;
    if (key == vk::kInsert && shift == 0)
        plan.toggleInsertMode = true;
    if (key == vk::kReturn && ctrl) {
        plan.completeCommand = true;
        plan.consumeKey = true;
        key = vk::kControl; // the checks below see Ctrl, so no line re-styling either
    }
    if (key == vk::kBack || key == vk::kDelete)
        plan.markEdited = true;
    if (IsDigitRow(key) && shift == (kCtrlKey | kShiftKey))
        plan.dropBookmark = key - vk::kDigit0;
    if (IsDigitRow(key) && shift == kCtrlKey)
        plan.gotoBookmark = key - vk::kDigit0;
    if (key == vk::kR && ctrl)
        plan.rehighlightLine = true;
    // The edited line is re-styled once, as the caret is about to leave it (or Enter splits
    // it); a run of caret moves re-styles only on its first key.
    const bool leaves = IsCaretMove(key) || key == vk::kReturn;
    const bool wasLeaving = IsCaretMove(lastKeyDown) || lastKeyDown == vk::kReturn;
    if (!wasLeaving && needsRehighlight && leaves)
        plan.rehighlightLine = true;
    if (key >= vk::kF1 && key <= vk::kF24)
        plan.rehighlightLine = true;
    plan.lastKeyDown = key;
    return plan;
}

} // namespace orvelt
