#include "bib/bibtex/BibDatabase.h"

#include "core/AsciiCase.h"

#include <algorithm>
#include <utility>

namespace orvelt {

BibEntry* BibDatabase::AddEntry(std::string_view typeWord, Tdata entry, std::string caption) {
    const int type = FindEntryType(typeWord);
    if (type < 0) {
        return nullptr;
    }
    return &AddEntry(type, std::move(entry), std::move(caption));
}

BibEntry& BibDatabase::AddEntry(int type, Tdata entry, std::string caption) {
    return Category(type).push_back(BibEntry{std::move(caption), std::move(entry), {}});
}

void BibDatabase::RemoveEntry(int type, std::size_t index) {
    Category(type).erase(index);
}

void BibDatabase::AddUnknownEntry(UnknownEntry entry) {
    unknown_.push_back(std::move(entry));
}

void BibDatabase::SortCategory(int type) {
    if (type != StringType && type != PreambleType) {
        Category(type).SortByCaption();
    }
}

bool BibDatabase::NeedsSorting(int type) const {
    return type != StringType && type != PreambleType && !Category(type).SortedByCaption();
}

void BibDatabase::SortAll() {
    for (int type = 0; type < EntryTypeCount; ++type) {
        SortCategory(type);
    }
    const auto before = [](const UnknownEntry& a, const UnknownEntry& b) {
        const int byType = CompareIgnoringCase(a.Type, b.Type);
        return byType != 0 ? byType < 0 : CompareIgnoringCase(a.Key, b.Key) < 0;
    };
    if (!std::is_sorted(unknown_.begin(), unknown_.end(), before)) {
        std::stable_sort(unknown_.begin(), unknown_.end(), before);
    }
}

std::size_t BibDatabase::EntryCount() const {
    std::size_t count = 0;
    for (const auto& category : categories_) {
        count += category.size();
    }
    return count;
}

} // namespace orvelt
