#pragma once

namespace orvelt {

class OptionHolder;
class Prompter;

// Writes the words learned in this run to their file. A failure is shown with the system's
// reason and the user may give another file; with No, the words stay for the next try, or are
// dropped at the end of the run. Silently (a log-off that allows no question), the write is
// tried once and nothing is asked.
enum class LearnedWordsMoment { CheckCompleted, EndOfRun, Silently };
void StoreLearnedWords(OptionHolder& options, Prompter& prompter, LearnedWordsMoment moment);

} // namespace orvelt
