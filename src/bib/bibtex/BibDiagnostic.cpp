#include "bib/bibtex/BibDiagnostic.h"

#include <algorithm>
#include <limits>

namespace orvelt {

void AddBibDiagnostic(std::vector<BibDiagnostic>& diagnostics, std::size_t offset,
                      std::string_view message, std::string_view subject) {
    if (diagnostics.size() > MaxBibDiagnostics) {
        return;
    }
    if (diagnostics.size() == MaxBibDiagnostics) {
        message = bibmsg::TooManyDiagnostics;
        subject = {};
    }
    diagnostics.push_back(BibDiagnostic{offset, 1, 1, message, std::string(subject)});
}

void LocateBibDiagnostics(std::vector<BibDiagnostic>& diagnostics, std::string_view text) {
    std::stable_sort(
        diagnostics.begin(), diagnostics.end(),
        [](const BibDiagnostic& a, const BibDiagnostic& b) { return a.Offset < b.Offset; });
    // One pass over the text for all of them: offsets are sorted.
    std::size_t pos = 0;
    int line = 1;
    std::size_t lineStart = 0;
    for (BibDiagnostic& diagnostic : diagnostics) {
        const std::size_t target = std::min(diagnostic.Offset, text.size());
        for (; pos < target; ++pos) {
            if (text[pos] == '\n' && line < std::numeric_limits<int>::max()) {
                ++line;
                lineStart = pos + 1;
            }
        }
        diagnostic.Line = line;
        diagnostic.Column = static_cast<int>(
            std::min<std::size_t>(target - lineStart + 1, std::numeric_limits<int>::max()));
    }
}

} // namespace orvelt
