#include "bib/bibtex/BibCategory.h"

#include "core/AsciiCase.h"

#include <algorithm>
#include <utility>

namespace orvelt {

BibCategory::BibCategory(const BibCategory& other) {
    entries_.reserve(other.entries_.size());
    for (const auto& entry : other.entries_) {
        entries_.push_back(std::make_unique<BibEntry>(*entry));
    }
}

BibCategory& BibCategory::operator=(const BibCategory& other) {
    if (this != &other) {
        BibCategory copy(other);
        entries_ = std::move(copy.entries_);
    }
    return *this;
}

BibEntry& BibCategory::push_back(BibEntry entry) {
    entries_.push_back(std::make_unique<BibEntry>(std::move(entry)));
    return *entries_.back();
}

BibEntry& BibCategory::emplace_back() {
    entries_.push_back(std::make_unique<BibEntry>());
    return *entries_.back();
}

void BibCategory::erase(std::size_t index) {
    if (index < entries_.size()) {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

namespace {

bool CaptionBefore(const std::unique_ptr<BibEntry>& a, const std::unique_ptr<BibEntry>& b) {
    return CompareIgnoringCase(a->Caption, b->Caption) < 0;
}

} // namespace

bool BibCategory::SortedByCaption() const {
    return std::is_sorted(entries_.begin(), entries_.end(), CaptionBefore);
}

void BibCategory::SortByCaption() {
    if (!SortedByCaption()) {
        std::stable_sort(entries_.begin(), entries_.end(), CaptionBefore);
    }
}

bool BibCategory::operator==(const BibCategory& other) const {
    return std::equal(entries_.begin(), entries_.end(), other.entries_.begin(),
                      other.entries_.end(), [](const auto& a, const auto& b) { return *a == *b; });
}

} // namespace orvelt
