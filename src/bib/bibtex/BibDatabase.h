#pragma once

#include "bib/bibtex/BibCategory.h"
#include "bib/bibtex/EntryTypes.h"
#include "core/LineEnd.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace orvelt {

// A bibliography as the window shows it: sixteen categories in type order, each holding its
// entries in tree order. The window is a view over this model; the writer walks it.
class BibDatabase {
public:
    [[nodiscard]] const BibCategory& Category(int type) const {
        return categories_.at(static_cast<std::size_t>(type));
    }
    [[nodiscard]] BibCategory& Category(int type) {
        return categories_.at(static_cast<std::size_t>(type));
    }

    // Appends the entry as the last of its category; does not sort. A type word that is none of
    // the sixteen adds nothing and returns null.
    BibEntry* AddEntry(std::string_view typeWord, Tdata entry, std::string caption);
    BibEntry& AddEntry(int type, Tdata entry, std::string caption);

    void RemoveEntry(int type, std::size_t index);

    // Entries of other types, for the window to list read-only.
    [[nodiscard]] const std::vector<UnknownEntry>& UnknownEntries() const { return unknown_; }
    void AddUnknownEntry(UnknownEntry entry);

    // Orders an ordinary category by caption, ignoring case; equal captions keep their order.
    // Abbreviations and preambles keep the order they were read or made in: an abbreviation may
    // be defined from an earlier one, and BibTeX joins preambles in file order.
    void SortCategory(int type);
    // Whether SortCategory would change the category's order.
    [[nodiscard]] bool NeedsSorting(int type) const;
    // Sorts every ordinary category, and the entries of other types by type word, then key
    // (ignoring case, equal ones keeping their order).
    void SortAll();

    // The entries of the sixteen types.
    [[nodiscard]] std::size_t EntryCount() const;
    // No entry of any type.
    [[nodiscard]] bool Empty() const { return EntryCount() == 0 && unknown_.empty(); }

    // The line end the file is written with: that of the file it was read from, LF when new.
    LineEnd LineEnding = LineEnd::Lf;

    bool operator==(const BibDatabase&) const = default;

private:
    std::array<BibCategory, EntryTypeCount> categories_;
    std::vector<UnknownEntry> unknown_;
};

} // namespace orvelt
