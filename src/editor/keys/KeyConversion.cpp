#include "editor/keys/KeyConversion.h"

namespace orvelt {

std::optional<char> UmlautLetter(char32_t c) {
    switch (c) {
    case U'\u00E4':
        return 'a';
    case U'\u00F6':
        return 'o';
    case U'\u00FC':
        return 'u';
    case U'\u00C4':
        return 'A';
    case U'\u00D6':
        return 'O';
    case U'\u00DC':
        return 'U';
    case U'\u00DF':
        return 's';
    default:
        return std::nullopt;
    }
}

} // namespace orvelt
