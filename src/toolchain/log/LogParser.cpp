#include "toolchain/log/LogParser.h"

#include <algorithm>

namespace orvelt {
namespace {

// TeX breaks every log line after this many bytes (max_print_line).
constexpr std::size_t kWrapWidth = 79;
constexpr std::string_view kKeywords[] = {"Warning", "Overfull", "Underfull"};
constexpr std::string_view kLine = "line";
// Enough bytes of the previous pieces for any keyword that continues into the next.
constexpr std::size_t kCarry = 8;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "line" counts only at the start of a word: after an ASCII letter or digit, or after a byte of
// a UTF-8 or 8-bit letter (a key such as fig:timeline or müline), it is part of another word.
bool StartsWord(char before) {
    const auto b = static_cast<unsigned char>(before);
    const auto lower = static_cast<unsigned char>(b | 0x20);
    return b < 0x80 && !IsDigit(before) && !(lower >= 'a' && lower <= 'z');
}

void AppendCapped(std::string& to, std::string_view piece) {
    to.append(piece.substr(0, kLogEntryBytes - std::min(to.size(), kLogEntryBytes)));
}

} // namespace

void LogParser::WarningScan::Reset() {
    text_.clear();
    digits_.clear();
    carry_.clear();
    keyword_ = false;
    phase_ = Phase::SeekLine;
}

bool LogParser::WarningScan::Listed() const {
    return keyword_ && phase_ != Phase::SeekLine;
}

// Finds what starts in the carried bytes and ends in this piece; returns where the search for
// the number goes on in the piece.
std::size_t LogParser::WarningScan::ReadAcrossPieces(std::string_view piece) {
    std::string window = carry_;
    window.append(piece.substr(0, kCarry));
    const std::size_t edge = carry_.size();
    // No keyword lay wholly in the earlier pieces, so any in the window crosses into this one
    // or lies in it.
    for (const std::string_view keyword : kKeywords) {
        keyword_ = keyword_ || window.find(keyword) != std::string::npos;
    }
    if (phase_ != Phase::SeekLine) {
        return 0;
    }
    // A "line" wholly in the carried bytes was judged already, and its byte before may be gone.
    for (std::size_t at = edge >= kLine.size() ? edge - kLine.size() + 1 : 0; at < edge; ++at) {
        // The carry holds every earlier byte when "line" could start at its first one.
        if (window.compare(at, kLine.size(), kLine) == 0 &&
            (at == 0 || StartsWord(window[at - 1]))) {
            phase_ = Phase::SeekDigit;
            return at + kLine.size() - edge;
        }
    }
    return 0;
}

void LogParser::WarningScan::Feed(std::string_view piece) {
    if (piece.empty()) {
        return;
    }
    AppendCapped(text_, piece);
    std::size_t from = carry_.empty() ? 0 : ReadAcrossPieces(piece);
    for (const std::string_view keyword : kKeywords) {
        keyword_ = keyword_ || piece.find(keyword) != std::string_view::npos;
    }
    if (phase_ == Phase::SeekLine) {
        for (std::size_t at = piece.find(kLine); at != std::string_view::npos;
             at = piece.find(kLine, at + 1)) {
            const bool startsWord =
                at > 0 ? StartsWord(piece[at - 1]) : carry_.empty() || StartsWord(carry_.back());
            if (startsWord) {
                phase_ = Phase::SeekDigit;
                from = at + kLine.size();
                break;
            }
        }
    }
    if (phase_ == Phase::SeekDigit) {
        const auto digit = std::find_if(piece.begin() + from, piece.end(), IsDigit);
        if (digit != piece.end()) {
            phase_ = Phase::Digits;
            from = digit - piece.begin();
        }
    }
    if (phase_ == Phase::Digits) {
        const auto end = std::find_if_not(piece.begin() + from, piece.end(), IsDigit);
        AppendCapped(digits_, piece.substr(from, end - (piece.begin() + from)));
        if (end != piece.end()) {
            phase_ = Phase::Done;
        }
    }
    if (piece.size() >= kCarry) {
        carry_.assign(piece.substr(piece.size() - kCarry));
    } else {
        carry_.append(piece);
        carry_.erase(0, carry_.size() - std::min(carry_.size(), kCarry));
    }
}

void LogParser::Feed(std::string_view block) {
    std::size_t start = 0;
    if (afterCr_ && !block.empty()) {
        afterCr_ = false;
        start = block.front() == '\n' ? 1 : 0;
    }
    for (std::size_t i = start; i < block.size(); ++i) {
        const char c = block[i];
        if (c != '\n' && c != '\r') {
            continue;
        }
        Piece(block.substr(start, i - start));
        EndLine();
        if (c == '\r') {
            if (i + 1 == block.size()) {
                afterCr_ = true;
            } else if (block[i + 1] == '\n') {
                ++i;
            }
        }
        start = i + 1;
    }
    Piece(block.substr(start));
}

void LogParser::Piece(std::string_view piece) {
    if (piece.empty()) {
        return;
    }
    const std::size_t offset = lineLength_;
    lineLength_ += piece.size();
    if (offset == 0) {
        BeginLine(piece.front());
    }
    switch (role_) {
    case Role::Error:
        AppendCapped(errorText_, piece);
        break;
    case Role::Warning:
        warning_.Feed(piece);
        break;
    case Role::MaybeLocation:
        // The line began with "l"; its second byte may come with a later block.
        if (lineLength_ < 2) {
            break;
        }
        if (piece[1 - offset] != '.') {
            role_ = Role::Skipped;
            break;
        }
        role_ = Role::Location;
        ReadLocationDigits(piece.substr(2 - offset));
        break;
    case Role::Location:
        ReadLocationDigits(piece);
        break;
    case Role::Undecided:
    case Role::Skipped:
        break;
    }
}

void LogParser::BeginLine(char first) {
    if (state_ == State::Joining) {
        if (first != '!') {
            role_ = Role::Warning; // the wrapped line goes on
            return;
        }
        EndWarning();
    }
    if (first == '!') {
        role_ = Role::Error;
        errorText_.clear();
    } else if (state_ == State::Searching) {
        role_ = first == 'l' ? Role::MaybeLocation : Role::Skipped;
        locationDigits_.clear();
        locationDigitsEnded_ = false;
    } else {
        role_ = Role::Warning;
        warning_.Reset();
    }
}

void LogParser::EndLine() {
    switch (role_) {
    case Role::Undecided: // an empty line, which no wrap continues on
        if (state_ == State::Joining) {
            EndWarning();
        }
        break;
    case Role::Error:
        // A "!" line met while searching replaces the error before it, which had no "l." line.
        state_ = State::Searching;
        break;
    case Role::Location:
        findings_.errors.push_back({errorText_, locationDigits_});
        state_ = State::Reading;
        break;
    case Role::Warning:
        if (lineLength_ == kWrapWidth) {
            state_ = State::Joining;
        } else {
            EndWarning();
        }
        break;
    case Role::MaybeLocation:
    case Role::Skipped:
        break;
    }
    role_ = Role::Undecided;
    lineLength_ = 0;
}

void LogParser::EndWarning() {
    if (warning_.Listed()) {
        findings_.warnings.push_back(warning_.Entry());
    }
    state_ = State::Reading;
}

void LogParser::ReadLocationDigits(std::string_view piece) {
    if (locationDigitsEnded_) {
        return;
    }
    const auto end = std::find_if_not(piece.begin(), piece.end(), IsDigit);
    AppendCapped(locationDigits_, piece.substr(0, end - piece.begin()));
    locationDigitsEnded_ = end != piece.end();
}

LogFindings LogParser::Finish() {
    if (lineLength_ > 0) {
        EndLine(); // the last line, also one cut off while TeX writes it
    }
    if (state_ == State::Joining) {
        EndWarning();
    }
    // An error still searching for its "l." line is dropped with the parser's state.
    LogFindings findings = std::move(findings_);
    *this = LogParser();
    return findings;
}

LogFindings ParseLog(std::string_view log) {
    LogParser parser;
    parser.Feed(log);
    return parser.Finish();
}

} // namespace orvelt
