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

} // namespace orvelt
