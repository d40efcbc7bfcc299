#include "options/options.h"

#include "options/DictionaryPage.h"
#include "options/EditorPage.h"
#include "options/GeneralPage.h"
#include "options/OptionHolder.h"
#include "options/ProgramsPage.h"
#include "options/ShortcutsPage.h"
#include "platform/HelpViewer.h"
#include "platform/Prompter.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orvelt {

Topt::Topt(Services services, QWidget* parent)
    : QDialog(parent), options_(services.options), prompter_(services.prompter),
      help_(services.help) {
    setObjectName("opt");
    setWindowTitle("Options");
    Pages = new QTabWidget(this);
    General = new GeneralPage(options_, this);
    DictionaryTab =
        new DictionaryPage(options_, services.prompter, services.programDirectory, this);
    Editor = new EditorPage(options_, services.prompter, this);
    Programs = new ProgramsPage(options_, services.prompter, this);
    Shortcuts = new ShortcutsPage(options_, services.prompter, services.programDirectory, this);
    Pages->addTab(General, "General");
    Pages->addTab(DictionaryTab, "Dictionary");
    Pages->addTab(Editor, "Editor");
    Pages->addTab(Programs, "TeX-programs");
    Pages->addTab(Shortcuts, "Shortcuts");
    CloseButton = new QPushButton("Close", this);
    CloseButton->setObjectName("CloseButton");
    // No button is a default one: Enter in a field must not close the dialog.
    CloseButton->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addWidget(CloseButton, 0, Qt::AlignRight);
    resize(560, 440);

    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(General, &GeneralPage::ButtonbarChanged, this, &Topt::ButtonbarChanged);
    connect(Programs, &ProgramsPage::ListChanged, this, &Topt::ProgramListChanged);
    connect(DictionaryTab, &DictionaryPage::Chosen, this, &Topt::MenuInputsChanged);
    connect(Shortcuts, &ShortcutsPage::OpenRequested, this, [this](const QString& file) {
        reject();
        emit OpenSnippet(file);
    });
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &Topt::ShowHelp);
}

void Topt::ShowOptions(const QString& snippetFile) {
    if (snippetFile.isEmpty()) {
        Pages->setCurrentWidget(General);
    } else {
        Pages->setCurrentWidget(Shortcuts);
        Shortcuts->EditCommand->setText(snippetFile);
    }
    open();
}

void Topt::showEvent(QShowEvent* event) {
    // Each showing: unconfirmed styles are dropped, the first program is shown.
    if (!event->spontaneous()) {
        Editor->Activate();
        Programs->Activate();
    }
    QDialog::showEvent(event);
}

void Topt::done(int result) {
    // Any closing keeps what was being typed into a field.
    Programs->StoreEdits();
    QDialog::done(result);
    SettingsStore& store = options_.Store();
    const bool confirmed = result == QDialog::Accepted;
    if (confirmed) {
        WriteOptionsOnClose(store, options_.Values());
        options_.TakeAutoSaveInterval();
    }
    WriteOptionsAtEnd(store, options_.Values());
    store.Commit();
    if (auto failure = store.CommitFailure())
        prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                          "The settings could not be saved to " + QString::fromStdString(*failure) +
                              ".");
    emit Closed(confirmed);
}

bool Topt::event(QEvent* event) {
    // A dialog's hints belong in the main window's status bar.
    if (event->type() == QEvent::StatusTip && parentWidget())
        return QApplication::sendEvent(parentWidget(), event);
    return QDialog::event(event);
}

void Topt::ShowHelp() {
    for (QWidget* w = QApplication::focusWidget(); w && w != this; w = w->parentWidget()) {
        if (const int topic = w->property("helpTopic").toInt(); topic != 0) {
            help_.ShowTopic(topic);
            return;
        }
    }
}

} // namespace orvelt
