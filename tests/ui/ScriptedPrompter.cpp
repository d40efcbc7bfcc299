#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace orvelt::testing {

void ScriptedPrompter::ExpectMessage(const QString& text, Answer answer) {
    script_.push_back(MessageStep{text, answer, false, {}});
}
void ScriptedPrompter::ExpectMessage(const QString& text, Answer answer,
                                     std::function<void()> meanwhile) {
    script_.push_back(MessageStep{text, answer, false, std::move(meanwhile)});
}
void ScriptedPrompter::ExpectMessageStartingWith(const QString& prefix, Answer answer) {
    script_.push_back(MessageStep{prefix, answer, true, {}});
}
void ScriptedPrompter::ExpectOpenFile(std::optional<QString> file) {
    script_.push_back(OpenStep{file.has_value(), file.value_or(QString())});
}
void ScriptedPrompter::ExpectSaveFile(std::optional<QString> file) {
    script_.push_back(SaveStep{file.has_value(), file.value_or(QString())});
}

Answer ScriptedPrompter::Message(MessageKind, MessageButtons buttons, const QString& text) {
    AskingScope asking(*this);
    shown.append(text);
    if (script_.empty() || !std::holds_alternative<MessageStep>(script_.front())) {
        ADD_FAILURE() << "unscripted message: " << text.toStdString();
        return CautiousAnswer(buttons); // for a question that was not expected
    }
    MessageStep step = std::get<MessageStep>(script_.front());
    script_.pop_front();
    if (step.meanwhile)
        step.meanwhile();
    if (step.prefixOnly) {
        EXPECT_TRUE(text.startsWith(step.text)) << text.toStdString();
        EXPECT_GT(text.size(), step.text.size()) << "nothing follows " << text.toStdString();
    } else {
        EXPECT_EQ(text.toStdString(), step.text.toStdString());
    }
    return step.answer;
}

template <class Step>
std::optional<QString> ScriptedPrompter::FileDialog(const FileDialogRequest& request,
                                                    const char* what) {
    AskingScope asking(*this);
    dialogs.append(request);
    if (script_.empty() || !std::holds_alternative<Step>(script_.front())) {
        ADD_FAILURE() << "unscripted " << what << " dialog: " << request.title.toStdString();
        return std::nullopt;
    }
    Step step = std::get<Step>(script_.front());
    script_.pop_front();
    if (!step.chosen)
        return std::nullopt;
    return step.file;
}

std::optional<QString> ScriptedPrompter::OpenFileName(const FileDialogRequest& request) {
    return FileDialog<OpenStep>(request, "open");
}

std::optional<QString> ScriptedPrompter::SaveFileName(const FileDialogRequest& request) {
    return FileDialog<SaveStep>(request, "save");
}

void ScriptedPrompter::ExpectFont(std::optional<HighlightStyle> chosen) {
    script_.push_back(FontStep{std::move(chosen)});
}
void ScriptedPrompter::ExpectColor(std::optional<std::uint32_t> chosen) {
    script_.push_back(ColorStep{chosen});
}

template <class Step> bool ScriptedPrompter::Next(const char* what, Step& step) {
    if (script_.empty() || !std::holds_alternative<Step>(script_.front())) {
        ADD_FAILURE() << "unscripted " << what;
        return false;
    }
    step = std::get<Step>(script_.front());
    script_.pop_front();
    return true;
}

std::optional<HighlightStyle> ScriptedPrompter::ChooseFont(const HighlightStyle& current) {
    fontsShown.append(current);
    FontStep step;
    return Next("font dialog", step) ? step.chosen : std::nullopt;
}

std::optional<std::uint32_t> ScriptedPrompter::ChooseColor(std::uint32_t current) {
    coloursShown.append(current);
    ColorStep step;
    return Next("colour dialog", step) ? step.chosen : std::nullopt;
}

void ScriptedPrompter::ExpectChoice(const QString& prompt, std::optional<QString> item) {
    script_.push_back(ChoiceStep{prompt, item.has_value(), item.value_or(QString())});
}

std::optional<int> ScriptedPrompter::ChooseFromList(const QString& title, const QString& prompt,
                                                    const QStringList& items, int) {
    titlesShown.append(title + ": " + prompt);
    ChoiceStep step;
    if (!Next("list question", step))
        return std::nullopt;
    EXPECT_EQ(prompt.toStdString(), step.prompt.toStdString());
    if (!step.chosen)
        return std::nullopt;
    const qsizetype index = items.indexOf(step.item);
    EXPECT_GE(index, 0) << step.item.toStdString() << " is not offered";
    return index < 0 ? std::nullopt : std::optional<int>(static_cast<int>(index));
}

void ScriptedPrompter::ExpectInput(const QString& title, std::optional<QString> answer) {
    script_.push_back(InputStep{title, answer.has_value(), answer.value_or(QString())});
}

std::optional<QString> ScriptedPrompter::InputBox(const QString& title, const QString& prompt,
                                                  const QString& value) {
    inputsShown.append(title + "|" + prompt + "|" + value);
    InputStep step;
    if (!Next("input box", step))
        return std::nullopt;
    EXPECT_EQ(title.toStdString(), step.title.toStdString());
    if (!step.answered)
        return std::nullopt;
    return step.answer;
}

} // namespace orvelt::testing
