#include "core/LineEnd.h"

namespace orvelt {

LineEnd DetectLineEnd(std::string_view bytes) {
    const std::size_t lf = bytes.find('\n');
    return lf != std::string_view::npos && lf > 0 && bytes[lf - 1] == '\r' ? LineEnd::CrLf
                                                                           : LineEnd::Lf;
}

} // namespace orvelt
