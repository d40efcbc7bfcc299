#pragma once

#include "bib/bibtex/Tdata.h"

#include <string>
#include <vector>

namespace orvelt {

// A field of an entry that its type's pairs have no place for. BibTeX reads it all the same
// (`doi`, `url`, `abstract`, a second `editor`), so it is kept and written back after the pairs.
struct ExtraField {
    FieldPair Pair;       // the name as written in the file; the value in the form it was read in
    bool InTable = false; // the type's table lists the name: this is a repeat of one of its pairs
    bool Repeat = false;  // an earlier field of the entry has the name: BibTeX ignores this value

    bool operator==(const ExtraField&) const = default;
};

// An entry as the tree holds it: its pairs, the fields beyond them and the caption its node shows.
// The caption is not always `EntryCaption` of the pairs: a new entry shows "NONAME<n>" until it is
// left. The fields beyond the pairs live here rather than in `Tdata`: an entry may hold any number
// of them, and `Tdata` has room for 26 pairs.
struct BibEntry {
    std::string Caption;
    Tdata Data;
    std::vector<ExtraField> Extra; // in file order

    bool operator==(const BibEntry&) const = default;
};

// An entry of a type that is none of the sixteen (@ONLINE, @THESIS, @SOFTWARE, a misspelt type).
// BibTeX reads it all the same, and other entries may cross-reference it, so it is kept as its
// text and written back unchanged; the window lists it without offering to edit it.
struct UnknownEntry {
    std::string Type;     // the type word as written
    std::string Key;      // the citation key
    std::string Crossref; // the value of its first crossref field, as a pair would hold it
    // From its "@" to its closing delimiter. An entry the file ended inside is closed here, so
    // that written back it ends where it ended in the file.
    std::string Text;

    bool operator==(const UnknownEntry&) const = default;
};

} // namespace orvelt
