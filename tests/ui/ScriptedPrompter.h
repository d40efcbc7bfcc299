#pragma once

#include "platform/Prompter.h"

#include <QList>
#include <deque>
#include <functional>
#include <variant>

namespace orvelt::testing {

// Answers the program's questions from a script and keeps every text it was shown. A question
// nobody scripted, or one whose text differs from the script, fails the test.
class ScriptedPrompter : public Prompter {
public:
    void ExpectMessage(const QString& text, Answer answer);
    // The same, running `meanwhile` while the question is open (a timer firing inside it).
    void ExpectMessage(const QString& text, Answer answer, std::function<void()> meanwhile);
    // For texts that end in the operating system's own words.
    void ExpectMessageStartingWith(const QString& prefix, Answer answer);
    void ExpectOpenFile(std::optional<QString> file);
    void ExpectSaveFile(std::optional<QString> file);
    // The font dialog's answer (none: cancelled), and the style it was opened with.
    void ExpectFont(std::optional<HighlightStyle> chosen);
    void ExpectColor(std::optional<std::uint32_t> chosen);
    // A list question whose prompt is `prompt`: the item named `item`, or none (Ignore).
    void ExpectChoice(const QString& prompt, std::optional<QString> item);
    // An input box of this title: the text typed and OK, or none (Cancel).
    void ExpectInput(const QString& title, std::optional<QString> answer);

    Answer Message(MessageKind kind, MessageButtons buttons, const QString& text) override;
    std::optional<QString> OpenFileName(const FileDialogRequest& request) override;
    std::optional<QString> SaveFileName(const FileDialogRequest& request) override;
    std::optional<HighlightStyle> ChooseFont(const HighlightStyle& current) override;
    std::optional<std::uint32_t> ChooseColor(std::uint32_t current) override;
    std::optional<QString> InputBox(const QString& title, const QString& prompt,
                                    const QString& value) override;
    std::optional<int> ChooseFromList(const QString& title, const QString& prompt,
                                      const QStringList& items, int current) override;

    [[nodiscard]] bool Exhausted() const { return script_.empty(); }
    QStringList shown;                 // every message text, in order
    QList<FileDialogRequest> dialogs;  // every file dialog, in order
    QList<HighlightStyle> fontsShown;  // what each font dialog was opened with
    QList<std::uint32_t> coloursShown; // what each colour dialog was opened with
    QStringList titlesShown;           // every list question's title and prompt, in order
    QStringList inputsShown;           // every input box's title, prompt and starting text

private:
    struct MessageStep {
        QString text;
        Answer answer;
        bool prefixOnly = false;
        std::function<void()> meanwhile;
    };
    // A file name, or none for a cancelled dialog (a plain pair: g++ 12 warns falsely on
    // copies of std::optional<QString>).
    struct OpenStep {
        bool chosen;
        QString file;
    };
    struct SaveStep {
        bool chosen;
        QString file;
    };
    struct FontStep {
        std::optional<HighlightStyle> chosen;
    };
    struct ColorStep {
        std::optional<std::uint32_t> chosen;
    };
    struct ChoiceStep {
        QString prompt;
        bool chosen;
        QString item;
    };
    struct InputStep {
        QString title;
        bool answered;
        QString answer;
    };
    std::deque<
        std::variant<MessageStep, OpenStep, SaveStep, FontStep, ColorStep, ChoiceStep, InputStep>>
        script_;

    template <class Step> bool Next(const char* what, Step& step);

    template <class Step>
    std::optional<QString> FileDialog(const FileDialogRequest& request, const char* what);
};

} // namespace orvelt::testing
