#pragma once

#include "bib/bibtex/Tdata.h"

#include <string>

namespace orvelt {

// An entry as the tree holds it: its pairs and the caption its node shows. The caption is not
// always `EntryCaption` of the pairs: a new entry shows "NONAME<n>" until it is left.
struct BibEntry {
    std::string Caption;
    Tdata Data;

    bool operator==(const BibEntry&) const = default;
};

} // namespace orvelt
