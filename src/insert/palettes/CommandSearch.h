#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The TeX-command list: its order and its incremental search.
namespace orvelt {

// Without regard to ASCII case; names equal but for case keep byte order ("\Large" before
// "\large").
[[nodiscard]] std::vector<std::string> SortedCommands(std::vector<std::string> commands);

// The first entry at or after `from` that starts with `prefix` (case-sensitive).
[[nodiscard]] std::optional<std::size_t> FindPrefix(std::span<const std::string> entries,
                                                    std::string_view prefix, std::size_t from);

// The entry to select after the search box's text changed from `before` to `after`: searched
// forward from the remembered match while the text only grew, from the top after any other
// change. None when no entry starts with the text: the selection stays.
[[nodiscard]] std::optional<std::size_t> FollowSearchText(std::span<const std::string> entries,
                                                          std::string_view before,
                                                          std::string_view after,
                                                          std::size_t remembered);

} // namespace orvelt
