#include "options/LearnedWords.h"

#include "options/OptionHolder.h"
#include "platform/Prompter.h"

#include <QFileInfo>

namespace orvelt {

void StoreLearnedWords(OptionHolder& options, Prompter& prompter, LearnedWordsMoment moment) {
    FileResult saved = options.SaveDictionary();
    if (moment == LearnedWordsMoment::Silently)
        return;
    QString file = options.LearnedFile();
    while (!saved.ok) {
        prompter.Message(MessageKind::Error, MessageButtons::Ok,
                         "The learned words cannot be written to " + file + ": " + saved.error +
                             ".");
        if (prompter.Message(MessageKind::Confirmation, MessageButtons::YesNo,
                             "Save the learned words under another name?") != Answer::Yes)
            break;
        FileDialogRequest request{"Save learned words",
                                  QFileInfo(file).absolutePath(),
                                  QFileInfo(file).fileName(),
                                  {QStringLiteral("All files (*)")},
                                  0,
                                  false,
                                  {}};
        const std::optional<QString> other = prompter.SaveFileName(request);
        if (!other)
            break;
        file = *other;
        saved = options.SaveLearnedWordsTo(file);
    }
    if (!saved.ok && moment == LearnedWordsMoment::EndOfRun)
        options.Words().MarkSaved();
}

} // namespace orvelt
