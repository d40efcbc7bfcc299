#include "insert/palettes/CommandSearch.h"

#include "core/AsciiCase.h"

#include <algorithm>

namespace orvelt {

std::vector<std::string> SortedCommands(std::vector<std::string> commands) {
    std::sort(commands.begin(), commands.end(), [](const std::string& a, const std::string& b) {
        const int order = CompareIgnoringCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return commands;
}

std::optional<std::size_t> FindPrefix(std::span<const std::string> entries, std::string_view prefix,
                                      std::size_t from) {
    for (std::size_t i = from; i < entries.size(); ++i)
        if (entries[i].starts_with(prefix))
            return i;
    return std::nullopt;
}

std::optional<std::size_t> FollowSearchText(std::span<const std::string> entries,
                                            std::string_view before, std::string_view after,
                                            std::size_t remembered) {
    return FindPrefix(entries, after, after.starts_with(before) ? remembered : 0);
}

} // namespace orvelt
