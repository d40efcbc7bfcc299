#include "core/KeywordTable.h"

#include <cmath>

namespace orvelt {

namespace {

constexpr int kFree = -1;

std::string Utf8Of(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // a lone surrogate names nothing in the list
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace

KeywordTable::KeywordTable() : slots_(kSlotCount, kFree) {}

KeywordTable::KeywordTable(std::vector<std::string> keywords)
    : keywords_(std::move(keywords)), slots_(kSlotCount, kFree) {
    if (keywords_.size() >= kSlotCount) {
        for (const std::string& keyword : keywords_) {
            fullTableSet_.insert(keyword);
        }
    }
    for (std::size_t index = 0; index < keywords_.size() && index < kSlotCount; ++index) {
        std::size_t slot = HomeSlot(keywords_[index]);
        // Fewer keywords than slots so far, so a free slot exists within one round.
        while (slots_[slot] != kFree) {
            slot = (slot + 1) % kSlotCount;
        }
        slots_[slot] = static_cast<int>(index);
    }
}

std::size_t KeywordTable::HomeSlot(std::string_view name) {
    unsigned long hash = 0;
    for (char c : name) {
        hash += static_cast<unsigned char>(c);
    }
    double product = static_cast<double>(hash) * 0.6180339887;
    double fraction = product - std::floor(product);
    auto slot = static_cast<std::size_t>(fraction * static_cast<double>(kSlotCount));
    return slot < kSlotCount ? slot : kSlotCount - 1;
}

bool KeywordTable::IsKeyword(std::string_view name) const {
    if (!fullTableSet_.empty()) {
        return fullTableSet_.contains(std::string(name));
    }
    std::size_t slot = HomeSlot(name);
    // One round at most: with no free slot left, probing would otherwise never stop.
    for (std::size_t probes = 0; probes < kSlotCount; ++probes) {
        int entry = slots_[slot];
        if (entry == kFree) {
            return false;
        }
        if (keywords_[static_cast<std::size_t>(entry)] == name) {
            return true;
        }
        slot = (slot + 1) % kSlotCount;
    }
    return false;
}

bool KeywordTable::IsKeyword(std::u16string_view name) const {
    return IsKeyword(std::string_view(Utf8Of(name)));
}

} // namespace orvelt
