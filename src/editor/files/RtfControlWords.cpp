#include "editor/files/RtfControlWords.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace orvelt {
namespace {

// Destinations whose text is not document text. Reached only for words that are not formats,
// so the linear scan costs nothing on the common path.
constexpr std::string_view kSkippedDestinations[] = {
    "stylesheet",
    "info",
    "pict",
    "object",
    "objdata",
    "header",
    "headerl",
    "headerr",
    "headerf",
    "footer",
    "footerl",
    "footerr",
    "footerf",
    "footnote",
    "annotation",
    "atnid",
    "atnauthor",
    "listtable",
    "revtbl",
    "rsidtbl",
    "filetbl",
    "xmlnstbl",
    "themedata",
    "datastore",
    "generator",
    "fldinst",
    "pgdsctbl",
    "pn",
    "nonshppict",
    "shp",
    "bkmkstart",
    "bkmkend",
    "txe",
    "xe",
    "tc",
    "template",
    "docvar",
    "userprops",
    "ftnsep",
    "ftnsepc",
    "ftncn",
    "aftnsep",
    "aftnsepc",
    "aftncn",
    "latentstyles",
    "colorschememapping",
    "listoverridetable",
    "mmathPr",
    "private",
};

// Underline kinds other readers write: all of them are "underlined" here.
constexpr std::string_view kUnderlineKinds[] = {
    "ul",         "uld",       "uldash",     "uldashd", "uldashdd", "uldb",
    "ulhwave",    "ulldash",   "ulth",       "ulthd",   "ulthdash", "ulthdashd",
    "ulthdashdd", "ulthldash", "ululdbwave", "ulw",     "ulwave",
};

// A control word of up to eight letters as one number, so the common words are found by one
// switch instead of string comparisons: the reader meets several per styled run.
constexpr std::uint64_t Packed(std::string_view w) {
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < w.size() && i < 8; ++i) {
        key |= static_cast<std::uint64_t>(static_cast<unsigned char>(w[i])) << (8 * i);
    }
    return key;
}

} // namespace

RtfWordMeaning LookUpRtfWord(std::string_view name) {
    if (name.size() <= 8) {
        switch (Packed(name)) {
        case Packed("ansi"):
            return {RtfWord::CodePage, 1252};
        case Packed("ansicpg"):
            return {RtfWord::CodePage};
        case Packed("mac"):
            return {RtfWord::CodePage, 10000};
        case Packed("pc"):
            return {RtfWord::CodePage, 437};
        case Packed("pca"):
            return {RtfWord::CodePage, 850};
        case Packed("b"):
            return {RtfWord::Bold};
        case Packed("bin"):
            return {RtfWord::Binary};
        case Packed("blue"):
            return {RtfWord::Blue};
        case Packed("bullet"):
            return {RtfWord::Character, 0x2022};
        case Packed("cf"):
            return {RtfWord::Color};
        case Packed("colortbl"):
            return {RtfWord::ColorTable};
        case Packed("cell"):
            return {RtfWord::Tab};
        case Packed("deff"):
            return {RtfWord::DefaultFont};
        case Packed("emdash"):
            return {RtfWord::Character, 0x2014};
        case Packed("endash"):
            return {RtfWord::Character, 0x2013};
        case Packed("emspace"):
            return {RtfWord::Character, 0x2003};
        case Packed("enspace"):
            return {RtfWord::Character, 0x2002};
        case Packed("f"):
            return {RtfWord::Font};
        case Packed("fs"):
            return {RtfWord::FontSize};
        case Packed("fonttbl"):
            return {RtfWord::FontTable};
        case Packed("green"):
            return {RtfWord::Green};
        case Packed("i"):
            return {RtfWord::Italic};
        case Packed("line"):
            return {RtfWord::Paragraph};
        case Packed("lquote"):
            return {RtfWord::Character, 0x2018};
        case Packed("ltrmark"):
            return {RtfWord::Character, 0x200E};
        case Packed("par"):
            return {RtfWord::Paragraph};
        case Packed("plain"):
            return {RtfWord::Plain};
        case Packed("qmspace"):
            return {RtfWord::Character, 0x2005};
        case Packed("red"):
            return {RtfWord::Red};
        case Packed("rquote"):
            return {RtfWord::Character, 0x2019};
        case Packed("row"):
            return {RtfWord::Paragraph};
        case Packed("rtlmark"):
            return {RtfWord::Character, 0x200F};
        case Packed("strike"):
        case Packed("striked"):
            return {RtfWord::Strike};
        case Packed("sect"):
            return {RtfWord::Paragraph};
        case Packed("tab"):
            return {RtfWord::Tab};
        case Packed("u"):
            return {RtfWord::Unicode};
        case Packed("uc"):
            return {RtfWord::UnicodeSkip};
        case Packed("ulnone"):
            return {RtfWord::UnderlineNone};
        case Packed("v"):
            return {RtfWord::Hidden};
        case Packed("zwj"):
            return {RtfWord::Character, 0x200D};
        case Packed("zwnj"):
            return {RtfWord::Character, 0x200C};
        default:
            break;
        }
    }
    if (name == "ldblquote") {
        return {RtfWord::Character, 0x201C};
    }
    if (name == "rdblquote") {
        return {RtfWord::Character, 0x201D};
    }
    if (name.starts_with("ul") && std::find(std::begin(kUnderlineKinds), std::end(kUnderlineKinds),
                                            name) != std::end(kUnderlineKinds)) {
        return {RtfWord::Underline};
    }
    if (std::find(std::begin(kSkippedDestinations), std::end(kSkippedDestinations), name) !=
        std::end(kSkippedDestinations)) {
        return {RtfWord::SkippedDestination};
    }
    return {};
}

} // namespace orvelt
