#pragma once

#include <QString>
#include <functional>

namespace orvelt {

class EscapePoller;
class TMDIChild;

struct ReformatServices {
    EscapePoller& escape;
    std::function<void(int done, int total)> progress;
    std::function<void(const QString&)> status; // the hint panel, kept until emptied
};

// Reformat Block: the selected lines of a source window joined into one paragraph, as one undo
// step, walking from the end so that Escape leaves the end joined and the beginning untouched.
// The document counts as modified afterwards, even when nothing was joined.
void ReformatBlock(TMDIChild& source, const ReformatServices& services);

} // namespace orvelt
