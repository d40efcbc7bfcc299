#include "bib/BibReader.h"
#include "bib/BibWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

// Any bytes: the reader must return (no crash, no hang), and what the writer makes of the
// result must read back without losing an entry.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const orvelt::BibReadResult first = orvelt::ReadBIB(bytes);
    const orvelt::BibReadResult second = orvelt::ReadBIB(orvelt::WriteBIB(first.Database));
    if (second.Database.EntryCount() > first.Database.EntryCount()) {
        std::abort();
    }
    return 0;
}
