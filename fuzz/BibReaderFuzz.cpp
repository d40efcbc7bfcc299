#include "bib/bibtex/BibReader.h"
#include "bib/bibtex/BibWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

// Any bytes: the reader must return (no crash, no hang, no undefined behaviour). A file it read
// without a single diagnostic must survive the writer: the text written reads back clean, as no
// more entries, and is written again byte for byte. (Malformed files are only required to read:
// an unclosed cite key, for one, legitimately swallows what follows it.)
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const orvelt::BibReadResult first = orvelt::ReadBIB(bytes);
    const std::string written = orvelt::WriteBIB(first.Database);
    if (!first.Report.Diagnostics.empty()) {
        return 0;
    }
    const orvelt::BibReadResult second = orvelt::ReadBIB(written);
    if (!second.Report.Diagnostics.empty() ||
        second.Database.EntryCount() > first.Database.EntryCount() ||
        orvelt::WriteBIB(second.Database) != written) {
        std::abort();
    }
    return 0;
}
