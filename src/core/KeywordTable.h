#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace orvelt {

// The command names that are coloured as TeX-commands, kept in the keyword list's order
// (completion walks them in that order) and found through an open-addressed table of
// 10001 slots: hash = sum of the byte values, home slot from the golden ratio, linear
// probing with wrap-around.
class KeywordTable {
public:
    static constexpr std::size_t kSlotCount = 10001;

    KeywordTable();
    // Entered in list order; a duplicate keeps its own slot, which changes no answer.
    explicit KeywordTable(std::vector<std::string> keywords);

    // Exact, case-sensitive; the name is looked up with its backslash ("\section").
    [[nodiscard]] bool IsKeyword(std::string_view name) const;
    // The surface's text: ASCII and other characters are looked up by their UTF-8 bytes.
    [[nodiscard]] bool IsKeyword(std::u16string_view name) const;

    // The list in file order.
    [[nodiscard]] const std::vector<std::string>& Keywords() const { return keywords_; }

    [[nodiscard]] static std::size_t HomeSlot(std::string_view name);

private:
    std::vector<std::string> keywords_;
    std::vector<int> slots_; // -1 free, else an index into keywords_
    // A list of 10001 or more keywords fills every slot: a miss would then probe all 10001
    // slots, and the keywords past the last slot would have none. Such a list is answered
    // from this set over the whole list instead.
    std::unordered_set<std::string> fullTableSet_;
};

} // namespace orvelt
