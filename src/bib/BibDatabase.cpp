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
    std::deque<BibEntry> none;
    AppendSorted(type, none);
}

void BibDatabase::AppendSorted(int type, std::deque<BibEntry>& entries) {
    auto& category = Category(type);
    const bool keepOrder = type == StringType || type == PreambleType;
    // Sorting pointers and moving each entry once: an entry is large, and a merge sort would
    // move it many times.
    std::vector<BibEntry*> order;
    order.reserve(category.size() + entries.size());
    for (BibEntry& entry : category) {
        order.push_back(&entry);
    }
    for (BibEntry& entry : entries) {
        order.push_back(&entry);
    }
    const auto before = [](const BibEntry* a, const BibEntry* b) {
        return CompareIgnoringCase(a->Caption, b->Caption) < 0;
    };
    if (!keepOrder && !std::is_sorted(order.begin(), order.end(), before)) {
        std::stable_sort(order.begin(), order.end(), before);
    } else if (entries.empty()) {
        return;
    }
    std::vector<BibEntry> merged;
    merged.reserve(order.size());
    for (BibEntry* entry : order) {
        merged.push_back(std::move(*entry));
    }
    category = std::move(merged);
    entries.clear();
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
