#pragma once

#include "bib/bibtex/BibDiagnostic.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace orvelt {

// What reading a bibliography file did, for the window to tell the user.
struct BibReadReport {
    // Set when the file could not be read at all: the system's description of why. Nothing was
    // added then, which is not the same as a file without entries.
    std::optional<std::string> IoError;
    int AddedEntries = 0; // of the sixteen types
    // Entries of other types (@ONLINE, misspelt types), kept whole.
    int UnknownEntries = 0;
    // Entries not kept: @COMMENT entries, which BibTeX does not read, and abbreviations without a
    // name, which it cannot read.
    int SkippedEntries = 0;
    // Fields whose names their type's table does not list: kept, written back after the pairs.
    int ExtraFields = 0;
    // Later values of a field an entry already has: kept, while BibTeX uses the first. Each one
    // is also a diagnostic that names the field.
    int RepeatedFields = 0;
    // Bytes other than white space that were read and not kept: text outside entries, @COMMENT
    // entries, and "%" comment lines inside entries of the sixteen types.
    std::size_t DroppedTextBytes = 0;
    std::vector<BibDiagnostic> Diagnostics;

    [[nodiscard]] bool Readable() const { return !IoError.has_value(); }
};

} // namespace orvelt
