#include "platform/QtPrompter.h"

#include "platform/StyleFormat.h"
#include "platform/convert.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace orvelt {

void QtPrompter::SetParent(QWidget* parent) {
    parent_ = parent;
    listDialog_ = new TNoField(parent);
}

Answer QtPrompter::Message(MessageKind kind, MessageButtons buttons, const QString& text) {
    AskingScope asking(*this);
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (kind) {
    case MessageKind::Warning:
        icon = QMessageBox::Warning;
        break;
    case MessageKind::Error:
        icon = QMessageBox::Critical;
        break;
    case MessageKind::Information:
        icon = QMessageBox::Information;
        break;
    case MessageKind::Confirmation:
        icon = QMessageBox::Question;
        break;
    }
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    switch (buttons) {
    case MessageButtons::Ok:
        set = QMessageBox::Ok;
        break;
    case MessageButtons::OkAbort:
        set = QMessageBox::Ok | QMessageBox::Abort;
        break;
    case MessageButtons::YesNo:
        set = QMessageBox::Yes | QMessageBox::No;
        break;
    case MessageButtons::YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    QMessageBox box(icon, QApplication::applicationName(), text, set, parent_);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Abort:
        return Answer::Abort;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        break;
    }
    // Closing the box by its close button or Escape is the most cautious answer offered.
    return CautiousAnswer(buttons);
}

namespace {

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title, request.directory);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen && request.mustExist
                           ? QFileDialog::ExistingFile
                           : QFileDialog::AnyFile);
    // The program asks before overwriting, in its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(request.filters);
    if (request.selectedFilter >= 0 && request.selectedFilter < request.filters.size())
        dialog.selectNameFilter(request.filters.at(request.selectedFilter));
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (!request.places.isEmpty()) {
        QList<QUrl> places = dialog.sidebarUrls();
        for (const QString& place : request.places)
            if (QFileInfo(place).isDir())
                places.append(QUrl::fromLocalFile(place));
        dialog.setSidebarUrls(places);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtPrompter::OpenFileName(const FileDialogRequest& request) {
    AskingScope asking(*this);
    return RunFileDialog(parent_, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtPrompter::SaveFileName(const FileDialogRequest& request) {
    AskingScope asking(*this);
    return RunFileDialog(parent_, request, QFileDialog::AcceptSave);
}

std::optional<HighlightStyle> QtPrompter::ChooseFont(const HighlightStyle& current) {
    AskingScope asking(*this);
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, FontOfStyle(current), parent_);
    if (!ok)
        return std::nullopt;
    // Qt's font dialog has no colour choice: the colour follows at once, as one choice.
    auto color = ChooseColor(current.color);
    HighlightStyle chosen = StyleOfFont(font, color.value_or(current.color));
    return chosen;
}

std::optional<std::uint32_t> QtPrompter::ChooseColor(std::uint32_t current) {
    AskingScope asking(*this);
    QColor color = QColorDialog::getColor(ColorOfValue(current), parent_);
    if (!color.isValid())
        return std::nullopt;
    return ValueOfColor(color);
}

std::optional<QString> QtPrompter::InputBox(const QString& title, const QString& prompt,
                                            const QString& value) {
    AskingScope asking(*this);
    bool ok = false;
    QString text = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, value, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<int> QtPrompter::ChooseFromList(const QString& title, const QString& prompt,
                                              const QStringList& items, int current) {
    AskingScope asking(*this);
    if (!listDialog_)
        listDialog_ = new TNoField(parent_);
    return listDialog_->Ask(title, prompt, items, current);
}

} // namespace orvelt
