#include "options/values/ButtonBarLayout.h"

#include <algorithm>

namespace orvelt {

namespace {
constexpr int kRowHeight = 30;
constexpr int kButtonHeight = 23;
constexpr int kMargin = 7; // left of the first button and between buttons
constexpr int kTop = 3;
constexpr int kTextPadding = 12;
} // namespace

BarLayout LayOutButtonBar(const std::vector<int>& nameWidths, const std::vector<bool>& showButton,
                          int clientWidth) {
    BarLayout layout{{}, kRowHeight};
    if (nameWidths.empty())
        return layout;
    const int width = *std::max_element(nameWidths.begin(), nameWidths.end()) + kTextPadding;
    int x = kMargin;
    int y = kTop;
    bool rowHoldsButton = false;
    for (std::size_t entry = 0; entry < nameWidths.size(); ++entry) {
        if (entry >= showButton.size() || !showButton[entry])
            continue;
        // A bar narrower than one button still puts one in each row: a new row for the
        // first button would only leave the row above it empty.
        if (rowHoldsButton && clientWidth < x + width + kMargin) {
            y += kRowHeight;
            layout.height += kRowHeight;
            x = kMargin;
        }
        layout.buttons.push_back({entry, x, y, width, kButtonHeight});
        rowHoldsButton = true;
        x += width + kMargin;
    }
    return layout;
}

} // namespace orvelt
