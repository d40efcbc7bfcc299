#include "editor/keys/BookmarkShift.h"

#include <algorithm>

namespace orvelt {

void ShiftBookmarks(std::array<int, 10>& marks, int at, int delta) {
    if (delta == 0)
        return;
    for (int& mark : marks) {
        if (mark >= 0 && mark >= at)
            mark = std::max(mark + delta, at);
    }
}

} // namespace orvelt
