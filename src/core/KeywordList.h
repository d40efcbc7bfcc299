#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvelt {

// The lines of KEYWORDS.TXT in file order: one command per line with its backslash.
// Carriage returns, a leading UTF-8 byte-order mark, trailing blanks and tabs, and empty
// lines are dropped, since none of them can be part of a command typed in the editor.
[[nodiscard]] std::vector<std::string> SplitKeywordList(std::string_view bytes);

} // namespace orvelt
