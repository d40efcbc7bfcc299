#include "bib/bibtex/BibReader.h"
#include "bib/bibtex/BibWriter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

// Any bytes: the reader must return (no crash, no hang, no undefined behaviour), and whatever it
// read, diagnostics or not, must survive a save: the text written reads back as the same number
// of entries of the sixteen types and of other types (a value or entry the file ended inside is
// closed, so it takes in nothing written after it), with the same fields kept beyond the pairs
// and the same repeats, nothing left open and no free text, and is written again byte for byte.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const orvelt::BibReadResult first = orvelt::ReadBIB(bytes);
    const std::string written = orvelt::WriteBIB(first.Database);
    const orvelt::BibReadResult second = orvelt::ReadBIB(written);
    const auto& diagnostics = second.Report.Diagnostics;
    const bool leftOpen =
        std::any_of(diagnostics.begin(), diagnostics.end(), [](const orvelt::BibDiagnostic& d) {
            return d.Message == orvelt::bibmsg::UnterminatedValue ||
                   d.Message == orvelt::bibmsg::UnterminatedEntry;
        });
    if (leftOpen || second.Database.EntryCount() != first.Database.EntryCount() ||
        second.Database.UnknownEntries().size() != first.Database.UnknownEntries().size() ||
        second.Report.ExtraFields != first.Report.ExtraFields ||
        second.Report.RepeatedFields != first.Report.RepeatedFields ||
        second.Report.DroppedTextBytes != 0 || orvelt::WriteBIB(second.Database) != written) {
        std::abort();
    }
    return 0;
}
