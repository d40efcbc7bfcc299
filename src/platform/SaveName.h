#pragma once

#include <QString>

namespace orvelt {

class Prompter;

// The Save dialog in `directory`: the name chosen, with `extension` added when it has none,
// once "OK to overwrite %s?" was answered Yes for a file that exists; empty when the user
// cancelled either.
[[nodiscard]] QString AskSaveName(Prompter& prompter, const QString& directory,
                                  const QString& extension);

} // namespace orvelt
