#pragma once

#include "core/HighlightStyle.h"
#include "editor/files/RtfCodec.h"
#include "editor/files/RtfControlWords.h"
#include "editor/files/RtfGroupState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// Reads one RTF text in a single pass; ReadRtf is its only user.
namespace orvelt {

class RtfReader {
public:
    explicit RtfReader(std::string_view in);

    [[nodiscard]] RtfFlatReadResult Read();

private:
    RtfFlatReadResult Fail(std::size_t offset, std::string message);
    RtfFlatReadResult Finish();
    void PlainText();
    void ControlWord();
    void ControlSymbol(char c);
    void Apply(RtfWordMeaning meaning, bool hasParameter, std::int64_t parameter);
    char16_t ByteToChar(unsigned char b) const;
    void SetStyle(unsigned bit, bool on);
    void Emit(char16_t c, bool raw);
    void CommitFont(bool semicolon = false);
    std::u16string& CurrentRunText();
    void ForgetStyles();
    std::size_t CachedStyle();
    std::size_t StyleIndex(HighlightStyle style);
    HighlightStyle Resolve() const;

    std::string_view in_;
    std::size_t pos_ = 0;
    RtfGroupState state_;
    RtfGroupState lastRunFormat_;
    bool lastRunValid_ = false;
    std::vector<RtfGroupState> stack_;
    int fallbackLeft_ = 0;
    int defaultFont_ = 0;
    const std::array<char16_t, 128>* upperHalf_;
    std::unordered_map<int, std::string> fonts_;
    int fontNumber_ = 0;
    std::u16string fontName_;
    bool fontPending_ = false;
    std::vector<std::uint32_t> colors_;
    std::uint32_t red_ = 0;
    std::uint32_t green_ = 0;
    std::uint32_t blue_ = 0;
    RtfFlatReadResult result_;
    std::vector<std::size_t> runStarts_; // where each run of result_ begins in its text
    std::array<std::pair<RtfGroupState, std::size_t>, 8> styleCache_;
    std::size_t nextCacheSlot_ = 0;
    std::size_t cachedStyles_ = 0;
};

} // namespace orvelt
