#include "editor/highlight/BlockTokenReader.h"

#include <algorithm>

namespace orvelt {

template <class CharT>
BlockTokenReader<CharT>::BlockTokenReader(ReadBlock read, ScanOptions options,
                                          std::size_t blockSize)
    : read_(std::move(read)), scanner_(options), blockSize_(std::max<std::size_t>(blockSize, 1)) {}

template <class CharT> void BlockTokenReader<CharT>::ReadMore(std::size_t count) {
    const std::size_t held = block_.size();
    block_.resize(held + count);
    const std::size_t got = read_(block_.data() + held, count);
    block_.resize(held + std::min(got, count));
    if (got == 0) {
        inputEnded_ = true;
    }
}

template <class CharT> std::optional<HighlightToken<CharT>> BlockTokenReader<CharT>::Next() {
    const std::size_t into = scanner_.Consumed() - blockStart_;
    if (into > blockSize_ * 9 / 10) {
        block_.erase(0, into);
        blockStart_ += into;
        if (!inputEnded_ && block_.size() < blockSize_) {
            ReadMore(blockSize_ - block_.size());
        }
    }
    HighlightToken<CharT> token;
    for (;;) {
        const auto step = scanner_.Next(block_, blockStart_, inputEnded_, token);
        if (step == TokenScanner<CharT>::Step::Token) {
            return token;
        }
        if (step == TokenScanner<CharT>::Step::End) {
            return std::nullopt;
        }
        // Grow geometrically so that a long token costs linear time even with tiny blocks.
        ReadMore(std::max(blockSize_, block_.size()));
    }
}

template class BlockTokenReader<char>;
template class BlockTokenReader<char16_t>;

} // namespace orvelt
