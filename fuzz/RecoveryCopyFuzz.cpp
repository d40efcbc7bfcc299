#include "app/session/RecoveryCopy.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace orvelt;

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// Cuts the next field off `rest` at the first NUL byte, or takes the rest.
std::string Field(std::string_view& rest) {
    const std::size_t end = rest.find('\0');
    std::string field(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    return field;
}

} // namespace

// Whatever lies in the folder is read without harm; a copy that reads whole gives back what was
// written; and every copy the program writes reads whole, whatever its names and text hold.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const RecoveryRead read = ReadRecoveryCopy(bytes);
    if (read.outcome == RecoveryRead::Outcome::Whole) {
        const RecoveryRead again = ReadRecoveryCopy(FormatRecoveryCopy(read.copy));
        Check(again.outcome == RecoveryRead::Outcome::Whole && again.copy == read.copy);
    }

    if (size < 3)
        return 0;
    RecoveryCopy copy;
    copy.encoding = static_cast<TextEncoding>(data[0] % 4);
    copy.lineEnd = static_cast<LineEnd>(data[1] % 3);
    copy.writtenAt = data[2] * 1'000'003LL;
    std::string_view rest = bytes.substr(3);
    copy.fileName = Field(rest);
    copy.caption = Field(rest);
    copy.text = std::string(rest);
    const std::string written = FormatRecoveryCopy(copy);
    const RecoveryRead back = ReadRecoveryCopy(written);
    Check(back.outcome == RecoveryRead::Outcome::Whole && back.copy == copy);
    // Cut short anywhere, a copy is never taken for whole.
    if (!written.empty()) {
        const std::size_t cut = (data[2] * 7919u) % written.size();
        Check(ReadRecoveryCopy(std::string_view(written).substr(0, cut)).outcome !=
              RecoveryRead::Outcome::Whole);
    }
    return 0;
}
