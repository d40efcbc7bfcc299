#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace orvelt {

// A word as the lookups compare it: every character folded by case (É as é, Σ as σ).
void FoldWord(std::u16string_view word, std::u16string& out);

// The spell checker's lookup: the chosen word list (only read, never written), the words the
// user learned earlier (their own file) and those learned in this run, still to be written.
// A list is one word a line, UTF-8 when valid UTF-8 and else Windows-1252, lines ending in LF,
// CR LF or CR; blanks around a word and empty lines do not count. A word is known when it is a
// line, a run of letters and digits in a line ("isn" of "isn't"), or a line in the umlaut
// notation (Gr"u"se of Grüße), compared without regard to case.
class Dictionary {
public:
    // Replaces everything held by the chosen list's bytes. False, holding nothing, for a list
    // with NUL bytes: that is no text file.
    [[nodiscard]] bool Load(std::string_view list);
    // Adds the words of the learned file, as they are on disk.
    [[nodiscard]] bool LoadLearned(std::string_view learned);
    // Learns a word for good: known at once and pending until written. A word that is empty, has
    // blanks around it or a control character in it would not read back as itself and is not
    // taken; nor is one that is known already.
    void Add(std::u16string_view word);
    void Add(std::string_view utf8) { Add(std::u16string_view(Utf16Of(utf8))); }

    [[nodiscard]] bool Contains(std::u16string_view word) const;
    [[nodiscard]] bool Contains(std::string_view utf8) const {
        return Contains(std::u16string_view(Utf16Of(utf8)));
    }
    // The lookup itself, for a word folded already (the check folds each word once).
    [[nodiscard]] bool ContainsFolded(std::u16string_view folded) const {
        return known_.find(folded) != known_.end();
    }
    // The words of the lists (lines that are not empty), learned ones included.
    [[nodiscard]] std::size_t Count() const { return count_; }

    // Learned words not written yet, in the order learned.
    [[nodiscard]] const std::vector<std::u16string>& Pending() const { return pending_; }
    [[nodiscard]] bool Changed() const { return !pending_.empty(); }
    void MarkSaved() { pending_.clear(); }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view word) const {
            return std::hash<std::u16string_view>()(word);
        }
    };
    static std::u16string Utf16Of(std::string_view utf8);
    void AddList(std::u16string_view text);
    void AddLine(std::u16string_view line);
    void Insert(std::u16string_view word);

    std::unordered_set<std::u16string, Hash, std::equal_to<>> known_;
    std::vector<std::u16string> pending_;
    std::size_t count_ = 0;
    std::u16string folded_; // scratch, so that a big list is folded without a string a line
};

// The learned file as it is to be written: the bytes on disk, untouched, then each pending word
// that is not a line of it yet, with the file's own line end (LF for a new file); a final line
// that lacks its end gets one first. Words are UTF-8, unless the file is not (then they are in
// Windows-1252, and a word that code page cannot hold is left out).
[[nodiscard]] std::string LearnedFileText(std::string_view onDisk,
                                          const std::vector<std::u16string>& words);

} // namespace orvelt
