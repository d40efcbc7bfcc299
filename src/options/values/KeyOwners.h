#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvelt {

struct KeyedCommand {
    std::optional<std::string> key; // key text; none for no key
    bool enabled;
};

// Two enabled commands sharing a key make it ambiguous and neither runs: the first enabled one,
// in menu order, owns it. For each command: whether it holds its key now.
[[nodiscard]] std::vector<bool> KeyOwners(const std::vector<KeyedCommand>& commands);

} // namespace orvelt
