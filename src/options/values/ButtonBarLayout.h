#pragma once

#include <cstddef>
#include <vector>

namespace orvelt {

struct BarButton {
    std::size_t entry; // position in the program list, from 0
    int left;
    int top;
    int width;
    int height;
};
struct BarLayout {
    std::vector<BarButton> buttons;
    int height;
};

// Places the buttons of the entries that show one, in rows of common-width buttons as wide as
// the widest name (all entries count, shown or not) plus 12. A row that is too narrow for the
// next button is closed; every row holds at least one button.
[[nodiscard]] BarLayout LayOutButtonBar(const std::vector<int>& nameWidths,
                                        const std::vector<bool>& showButton, int clientWidth);

} // namespace orvelt
