#include "widgets/ChildWindow.h"

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

Answer ChildWindow::AskReloadWith(Prompter& prompter, MessageButtons buttons) {
    return prompter.Message(
        MessageKind::Confirmation, buttons,
        QStringLiteral("%1 has been changed by another program. Reload it?").arg(FileNameOf()));
}

} // namespace orvelt
