#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace orvelt {

// Which hard line breaks of a selection become blanks when its lines are joined into one
// paragraph. `text` runs from the start of the selection's first line to the selection's end,
// lines parted by '\n' or U+2029; the selection begins at `selectionStart`. Every break from
// there on goes, except one that ends the selection and one that ends a line holding a
// comment: joined, the next line would be commented out. Offsets into `text`, ascending.
[[nodiscard]] std::vector<std::size_t> BreaksToJoin(std::u16string_view text,
                                                    std::size_t selectionStart);

} // namespace orvelt
