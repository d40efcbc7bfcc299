#include "options/values/KeyOwners.h"

#include <unordered_set>

namespace orvelt {

std::vector<bool> KeyOwners(const std::vector<KeyedCommand>& commands) {
    std::vector<bool> owners;
    owners.reserve(commands.size());
    std::unordered_set<std::string> owned;
    for (const KeyedCommand& command : commands) {
        // A disabled command holds no key, so it never makes a later one's key ambiguous.
        const bool keyed = command.enabled && command.key && !command.key->empty();
        owners.push_back(keyed && owned.insert(*command.key).second);
    }
    return owners;
}

} // namespace orvelt
