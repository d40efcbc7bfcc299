#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace orvelt {

// The spell checker's word list: one word per line of a text file. The file's bytes are held as
// read, so a write-back leaves every untouched line and line end as it was; learned words are
// appended, each with the file's line end.
class Dictionary {
public:
    // Replaces the held words by a file's bytes (as on disk, whole).
    void Load(std::string bytes);
    // Appends a word as a line; an empty word, one held already or one with a line end in it
    // (it would read back as two words) is not added.
    void Add(std::string_view word);
    [[nodiscard]] bool Contains(std::string_view word) const;
    [[nodiscard]] std::size_t Count() const { return words_.size(); }
    // Whether words were added since the last Load or MarkSaved: only then is the file written.
    [[nodiscard]] bool Changed() const { return changed_; }
    void MarkSaved() { changed_ = false; }
    // The file as it is to be written.
    [[nodiscard]] const std::string& Bytes() const { return bytes_; }

private:
    // Looks words up by string_view without making a string of each.
    struct WordHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view word) const {
            return std::hash<std::string_view>()(word);
        }
    };

    void Index();

    std::string bytes_;
    std::unordered_set<std::string, WordHash, std::equal_to<>> words_;
    bool changed_ = false;
};

} // namespace orvelt
