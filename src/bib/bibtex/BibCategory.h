#pragma once

#include "bib/bibtex/BibEntry.h"

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

namespace orvelt {

// The entries of one category in tree order. An entry keeps its address while the category
// grows, shrinks or is sorted: a view can refer to it, and reordering never moves the entries
// themselves, which are large.
class BibCategory {
public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = BibEntry;
        using difference_type = std::ptrdiff_t;
        using pointer = const BibEntry*;
        using reference = const BibEntry&;

        const_iterator() = default;
        explicit const_iterator(std::vector<std::unique_ptr<BibEntry>>::const_iterator at)
            : at_(at) {}
        reference operator*() const { return **at_; }
        pointer operator->() const { return at_->get(); }
        const_iterator& operator++() {
            ++at_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++at_;
            return before;
        }
        bool operator==(const const_iterator&) const = default;

    private:
        std::vector<std::unique_ptr<BibEntry>>::const_iterator at_;
    };

    BibCategory() = default;
    BibCategory(const BibCategory& other);
    BibCategory& operator=(const BibCategory& other);
    BibCategory(BibCategory&&) noexcept = default;
    BibCategory& operator=(BibCategory&&) noexcept = default;
    ~BibCategory() = default;

    [[nodiscard]] std::size_t size() const { return entries_.size(); }
    [[nodiscard]] bool empty() const { return entries_.empty(); }
    [[nodiscard]] BibEntry& operator[](std::size_t index) { return *entries_[index]; }
    [[nodiscard]] const BibEntry& operator[](std::size_t index) const { return *entries_[index]; }
    [[nodiscard]] const_iterator begin() const { return const_iterator(entries_.begin()); }
    [[nodiscard]] const_iterator end() const { return const_iterator(entries_.end()); }

    // Appends an entry as the last one.
    BibEntry& push_back(BibEntry entry);
    // Appends an empty entry to be filled in place.
    BibEntry& emplace_back();
    // Removes the entry at `index`; an index past the end removes nothing.
    void erase(std::size_t index);
    // Orders the entries by caption, ignoring case; equal captions keep their order.
    void SortByCaption();
    [[nodiscard]] bool SortedByCaption() const;

    bool operator==(const BibCategory& other) const;

private:
    std::vector<std::unique_ptr<BibEntry>> entries_;
};

} // namespace orvelt
