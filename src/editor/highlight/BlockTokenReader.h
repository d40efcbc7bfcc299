#pragma once

#include "editor/highlight/HighlightToken.h"
#include "editor/highlight/TokenScanner.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvelt {

// The import's way of scanning a source: the input is read in blocks, and once the scan
// has moved more than nine tenths into the current block, the next block is read from the
// scan position. A token longer than what is held makes the reader read on, so the tokens
// do not depend on the block size.
template <class CharT> class BlockTokenReader {
public:
    // Fills up to `capacity` code units and answers how many; 0 means the input has ended.
    using ReadBlock = std::function<std::size_t(CharT* into, std::size_t capacity)>;
    static constexpr std::size_t kDefaultBlockSize = 10000;

    BlockTokenReader(ReadBlock read, ScanOptions options,
                     std::size_t blockSize = kDefaultBlockSize);

    // Reads a text held whole in memory, which must outlive the reader.
    [[nodiscard]] static ReadBlock FromText(std::basic_string_view<CharT> text) {
        return [text, at = std::size_t{0}](CharT* into, std::size_t capacity) mutable {
            const std::size_t count = std::min(capacity, text.size() - at);
            std::copy_n(text.data() + at, count, into);
            at += count;
            return count;
        };
    }

    // The next token; its text stays valid until the next call. Nothing at the end.
    [[nodiscard]] std::optional<HighlightToken<CharT>> Next();

    // Input taken so far, dropped text included.
    [[nodiscard]] std::size_t Consumed() const { return scanner_.Consumed(); }

private:
    void ReadMore(std::size_t count);

    ReadBlock read_;
    TokenScanner<CharT> scanner_;
    std::size_t blockSize_;
    std::basic_string<CharT> block_;
    std::size_t blockStart_ = 0; // input offset of block_[0]
    bool inputEnded_ = false;
};

extern template class BlockTokenReader<char>;
extern template class BlockTokenReader<char16_t>;

} // namespace orvelt
