#pragma once

#include <optional>

namespace orvelt {

// German TeX writes umlauts as a double quote and a letter ("a for ä); with the option on,
// a typed umlaut or sharp s becomes that pair. Returns the letter that follows the quote,
// or nothing for a character the table does not hold.
[[nodiscard]] std::optional<char> UmlautLetter(char32_t c);

} // namespace orvelt
