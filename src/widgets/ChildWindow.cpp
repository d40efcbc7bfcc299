#include "widgets/ChildWindow.h"

#include "platform/Prompter.h"

namespace orvelt {

bool ChildWindow::AskToSaveWith(Prompter& prompter) {
    const QString name = FileNameOf();
    switch (
        prompter.Message(MessageKind::Confirmation, MessageButtons::YesNoCancel,
                         QStringLiteral("Save %1 ?").arg(name.isEmpty() ? windowTitle() : name))) {
    case Answer::Yes:
        return SaveDocument();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

} // namespace orvelt
