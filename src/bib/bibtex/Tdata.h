#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// One bibliography entry: the pairs of its type, in the type's order. The entry does not know
// its type; its category does.
namespace orvelt {

// How a value is written back. A value read between delimiters is held without them and written
// in braces; a bare word (`jan`, `1996`, an abbreviation) or a concatenation
// (`"A" # jcp # "B"`) is held and written exactly as read, because braces would turn an
// abbreviation into literal text and change what BibTeX prints. Quoted is held without its
// double quotes and written in them: the form of a field kept outside the type's table, which is
// written back as it was read.
enum class ValueForm : std::uint8_t { Delimited, Raw, Quoted };

struct FieldPair {
    std::string Name;
    std::string Value;
    ValueForm Form = ValueForm::Delimited;
    // The file gave the field, perhaps empty (`organization = ""`). An empty pair is written only
    // then: BibTeX lets an entry inherit through its crossref only the fields it does not give.
    bool Given = false;

    bool operator==(const FieldPair&) const = default;
};

// Tdata: one BibTeX entry's field pairs, the record a bibliography window edits.
struct Tdata {
    static constexpr int Capacity = 26;

    std::array<FieldPair, Capacity> Fields;
    std::int32_t FieldCount = 0;

    bool operator==(const Tdata&) const = default;
};

// Fills `entry` with the pairs of the type named `typeWord` (any case), all values empty.
// Returns false, leaving the entry empty, for a word that is none of the sixteen types.
[[nodiscard]] bool InitEntry(Tdata& entry, std::string_view typeWord);

// Sets the value of the first pair named `name` (any case); a name the entry does not have
// changes nothing, and the result says so.
bool SetField(Tdata& entry, std::string_view name, std::string_view value,
              ValueForm form = ValueForm::Delimited);

// Index of the first pair named `name` (any case), or -1.
[[nodiscard]] int FindField(const Tdata& entry, std::string_view name);

// The text the tree shows for the entry.
[[nodiscard]] std::string EntryCaption(const Tdata& entry);

// `text` without its first and last character when it starts with a double quote, "(" or "{".
[[nodiscard]] std::string_view StripDelimiters(std::string_view text);

} // namespace orvelt
