#pragma once

#include <string>
#include <string_view>

namespace orvelt {

// What follows the last "/".
[[nodiscard]] std::string_view NamePart(std::string_view path);
// The extension of the name part, from its last full stop, upper-cased ("" when none).
[[nodiscard]] std::string UpperExtension(std::string_view path);
// The name unchanged when its name part has a full stop, else name + extension. A dot in a
// directory name ("/home/j.doe/report") is not an extension here.
[[nodiscard]] std::string AddDefaultExtension(std::string_view name, std::string_view extension);
// The name without the extension of its name part.
[[nodiscard]] std::string StripExtension(std::string_view name);

} // namespace orvelt
