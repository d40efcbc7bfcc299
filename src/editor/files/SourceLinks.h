#pragma once

#include "editor/files/SourceWriter.h"

#include <string>
#include <string_view>

// Source specials: \special{src:12 ch1.tex} written before some lines of a saved TeX source, so
// that a DVI previewer can lead from a place of the output back to its line.
namespace orvelt {

// Only TeX sources take specials: a .bib, .sty or .cls file, or a script, would be broken by one.
[[nodiscard]] bool TakesSourceSpecials(std::string_view fileName);

// Whether a name part can stand in a special as it is: TeX would read % { } \ # ~ ^ in it as
// syntax, and previewers disagree on control characters and bytes above 127.
[[nodiscard]] bool IsSafeSpecialName(std::string_view namePart);

enum class SpecialsOutcome {
    Written,      // the hook writes specials
    NotTexSource, // no specials for this kind of file
    UnsafeName,   // the file's name part cannot stand in a special: the user should be told
};

struct SourceSpecialsHook {
    SpecialsOutcome outcome = SpecialsOutcome::NotTexSource;
    LineHook beforeLine; // for SourceWriteOptions::beforeLine; empty unless Written
};

// The hook for one save of fileName (a path of bytes), a special before every interval-th
// surface line where one cannot change what TeX typesets. It keeps the state of that save:
// make a new one for each.
[[nodiscard]] SourceSpecialsHook MakeSourceSpecials(std::string_view fileName, int interval);

} // namespace orvelt
