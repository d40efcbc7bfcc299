#include "platform/SaveName.h"

#include "core/FileNames.h"
#include "platform/Prompter.h"

#include <QFile>

namespace orvelt {

QString AskSaveName(Prompter& prompter, const QString& directory, const QString& extension) {
    FileDialogRequest request{"Save", directory, {}, TexFileFilters(), 1, false, {}};
    const auto chosen = prompter.SaveFileName(request);
    if (!chosen)
        return {};
    const QString name =
        QString::fromStdString(AddDefaultExtension(chosen->toStdString(), extension.toStdString()));
    if (QFile::exists(name) &&
        prompter.Message(MessageKind::Confirmation, MessageButtons::YesNoCancel,
                         QStringLiteral("OK to overwrite %1?").arg(name)) != Answer::Yes)
        return {};
    return name;
}

} // namespace orvelt
