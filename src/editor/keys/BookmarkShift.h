#pragma once

#include <array>

namespace orvelt {

// Keeps bookmarks on their text when `delta` characters were inserted (positive) or deleted
// (negative) at `at`: marks at or after it move, unset marks (-1) stay unset. A mark inside
// deleted text lands where the deletion was, never before it, so it cannot become -1.
void ShiftBookmarks(std::array<int, 10>& marks, int at, int delta);

} // namespace orvelt
