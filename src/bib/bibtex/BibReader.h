#pragma once

#include "bib/bibtex/BibDatabase.h"
#include "bib/bibtex/BibReadReport.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvelt {

struct BibReadResult {
    BibDatabase Database;
    BibReadReport Report;
};

// What the window got when it read a file: its bytes, or the system's reason it could not.
struct FileBytes {
    std::string_view Bytes;
    std::optional<std::string> Error;
};

// Opens a bibliography from the bytes of a file: the database takes the file's line ends, and
// each ordinary category is sorted by caption.
[[nodiscard]] BibReadResult ReadBIB(std::string_view bytes);
[[nodiscard]] BibReadResult ReadBIB(const FileBytes& file);

// Adds the entries of a file to an open bibliography, which keeps its entries and line ends;
// each ordinary category is sorted again afterwards.
[[nodiscard]] BibReadReport ImportBIB(BibDatabase& into, std::string_view bytes);
[[nodiscard]] BibReadReport ImportBIB(BibDatabase& into, const FileBytes& file);

} // namespace orvelt
