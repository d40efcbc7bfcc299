#include "options/DictionaryPage.h"

#include "options/LearnedWords.h"
#include "options/OptionHints.h"
#include "options/OptionHolder.h"
#include "platform/Prompter.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace orvelt {

DictionaryPage::DictionaryPage(OptionHolder& options, Prompter& prompter, QString programDirectory,
                               QWidget* parent)
    : QWidget(parent), options_(options), prompter_(prompter),
      programDirectory_(std::move(programDirectory)) {
    auto* explanation = new QLabel(
        "If you want to use the spell-checking-option, you have to specify a dictionary. A "
        "dictionary-file is a text-file with one word per line. You may also specify an empty "
        "Textfile and learn your dictionary interactively.",
        this);
    explanation->setWordWrap(true);
    EditDict = new QLineEdit(QString::fromStdString(options_.Values().dictionary), this);
    EditDict->setObjectName("EditDict");
    EditDict->setReadOnly(true);
    SetHint(EditDict, "Enter the name and location of the file to be inserted.", 121);
    BrowseDict = new QToolButton(this);
    BrowseDict->setObjectName("BrowseDict");
    BrowseDict->setText("...");
    SetHint(BrowseDict, "Browse");

    auto* grid = new QGridLayout(this);
    grid->addWidget(explanation, 0, 0, 1, 3);
    grid->addWidget(new QLabel("Dictionary:", this), 1, 0);
    grid->addWidget(EditDict, 1, 1);
    grid->addWidget(BrowseDict, 1, 2);
    grid->setRowStretch(2, 1);
    connect(BrowseDict, &QToolButton::clicked, this, &DictionaryPage::Browse);
}

void DictionaryPage::Browse() {
    FileDialogRequest request{
        "Choose shortcut", programDirectory_, {}, {QStringLiteral("All files (*)")}, 0, true, {}};
    auto file = prompter_.OpenFileName(request);
    if (!file)
        return;
    // Words learned with the list held so far are written before another is taken. Unwritten,
    // they stay with the list held: loading another would lose them.
    StoreLearnedWords(options_, prompter_, LearnedWordsMoment::CheckCompleted);
    if (options_.Words().Changed())
        return;
    options_.Values().dictionary = file->toStdString();
    EditDict->setText(*file);
    if (FileResult loaded = options_.LoadDictionary(*file); !loaded.ok)
        prompter_.Message(MessageKind::Warning, MessageButtons::Ok,
                          "Error reading " + *file + ": " + loaded.error);
    emit Chosen();
}

} // namespace orvelt
