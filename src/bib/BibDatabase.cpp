#include "bib/BibDatabase.h"

#include "bib/AsciiCase.h"

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
    auto& category = Category(type);
    category.push_back(BibEntry{std::move(caption), std::move(entry)});
    return category.back();
}

void BibDatabase::RemoveEntry(int type, std::size_t index) {
    auto& category = Category(type);
    if (index < category.size()) {
        category.erase(category.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

void BibDatabase::SortCategory(int type) {
    if (type == StringType || type == PreambleType) {
        return;
    }
    auto& category = Category(type);
    std::stable_sort(category.begin(), category.end(), [](const BibEntry& a, const BibEntry& b) {
        return CompareIgnoringCase(a.Caption, b.Caption) < 0;
    });
}

void BibDatabase::SortAll() {
    for (int type = 0; type < EntryTypeCount; ++type) {
        SortCategory(type);
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
