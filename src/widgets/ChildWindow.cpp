#include "widgets/ChildWindow.h"

#include "editor/files/SurfaceCharacters.h"

#include <QDateTime>
#include <algorithm>

namespace orvelt {

RecoveryCopy TextSnapshot::Copy() const {
    std::u16string units = text.toStdU16String();
    if (surface) {
        // The surface ends its paragraphs with U+2029 in its raw text.
        std::replace(units.begin(), units.end(), u'\u2029', u'\n');
        FromSurfaceCharacters(units);
    }
    RecoveryCopy copy;
    copy.text = Utf16ToUtf8(units);
    copy.encoding = encoding;
    copy.lineEnd = lineEnd;
    copy.writtenAt = QDateTime::currentSecsSinceEpoch();
    return copy;
}

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

bool ChildWindow::MaySaveOverOutsideChange(Prompter& prompter,
                                           const std::function<void()>& reload) {
    switch (AskReloadWith(prompter, MessageButtons::YesNoCancel)) {
    case Answer::Yes:
        reload();
        return false;
    case Answer::No:
        return true;
    default:
        return false;
    }
}

} // namespace orvelt
