#pragma once

#include "platform/Prompter.h"

class QWidget;

namespace orvelt {
class TNoField;
}

namespace orvelt {

class QtPrompter : public Prompter {
public:
    // Also makes the dialogs that are shown again and again, hidden, as children of `parent`.
    void SetParent(QWidget* parent);

    Answer Message(MessageKind kind, MessageButtons buttons, const QString& text) override;
    std::optional<QString> OpenFileName(const FileDialogRequest& request) override;
    std::optional<QString> SaveFileName(const FileDialogRequest& request) override;
    std::optional<HighlightStyle> ChooseFont(const HighlightStyle& current) override;
    std::optional<std::uint32_t> ChooseColor(std::uint32_t current) override;
    std::optional<QString> InputBox(const QString& title, const QString& prompt,
                                    const QString& value) override;
    std::optional<int> ChooseFromList(const QString& title, const QString& prompt,
                                      const QStringList& items, int current) override;

private:
    QWidget* parent_ = nullptr;
    TNoField* listDialog_ = nullptr; // made with the main window, reused
};

} // namespace orvelt
