#include "editor/files/RtfCodec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

// Any bytes: the sidecar reader must return (no crash, no hang, no undefined behaviour), with
// whatever runs it got, broken file or not. Those runs are then an editor text like any other:
// written, they must read back clean as the same runs, and be written again byte for byte.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const orvelt::RtfReadResult first = orvelt::ReadRtf(bytes);
    const std::string written = orvelt::WriteRtf(first.runs);
    const orvelt::RtfReadResult second = orvelt::ReadRtf(written);
    if (!second.ok || second.runs != first.runs || orvelt::WriteRtf(second.runs) != written) {
        std::abort();
    }
    return 0;
}
