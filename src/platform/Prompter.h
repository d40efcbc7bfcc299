#pragma once

#include "core/HighlightStyle.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace orvelt {

enum class MessageKind { Warning, Error, Information, Confirmation };
enum class MessageButtons { Ok, OkAbort, YesNo, YesNoCancel };
enum class Answer { Ok, Abort, Yes, No, Cancel };

// The answer that changes least: what a box closed without a choice means.
[[nodiscard]] constexpr Answer CautiousAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkAbort:
        return Answer::Abort;
    case MessageButtons::YesNo:
        return Answer::No;
    case MessageButtons::YesNoCancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

struct FileDialogRequest {
    QString title;
    QString directory;
    QString fileName;
    QStringList filters; // "TeX files (*.tex *.TEX)"
    int selectedFilter = 0;
    bool mustExist = false;
    QStringList places; // folders the dialog offers besides the standard ones
};

// The open and save dialogs' filters; the second (TeX files) is the one selected. Both cases:
// this file system tells paper.TEX from paper.tex.
inline const QStringList& TexFileFilters() {
    static const QStringList filters = {
        QStringLiteral("All files (*)"),
        QStringLiteral("TeX files (*.tex *.TEX *.sty *.STY *.doc *.DOC *.bib *.BIB)")};
    return filters;
}

// Every question, message and standard dialog of the program. The real one shows Qt's
// dialogs; the tests' one answers from a script and keeps every text it was shown.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Answer Message(MessageKind kind, MessageButtons buttons, const QString& text) = 0;
    virtual std::optional<QString> OpenFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> SaveFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<HighlightStyle> ChooseFont(const HighlightStyle& current) = 0;
    virtual std::optional<std::uint32_t> ChooseColor(std::uint32_t current) = 0;
    virtual std::optional<QString> InputBox(const QString& title, const QString& prompt,
                                            const QString& value) = 0;
    // One of `items`, or none; the prompt's first line names what is asked about.
    virtual std::optional<int> ChooseFromList(const QString& title, const QString& prompt,
                                              const QStringList& items, int current) = 0;

    // A question or dialog is open: work that must not run inside its loop (a timer's save)
    // waits.
    [[nodiscard]] bool Asking() const { return asking_ > 0; }

protected:
    // Marks the time a question is open.
    class AskingScope {
    public:
        explicit AskingScope(Prompter& prompter) : prompter_(prompter) { ++prompter_.asking_; }
        ~AskingScope() { --prompter_.asking_; }
        AskingScope(const AskingScope&) = delete;
        AskingScope& operator=(const AskingScope&) = delete;

    private:
        Prompter& prompter_;
    };

private:
    int asking_ = 0;
};

} // namespace orvelt
