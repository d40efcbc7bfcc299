#pragma once

#include <QDialog>

class QPushButton;
class QTabWidget;

namespace orvelt {

class DictionaryPage;
class EditorPage;
class GeneralPage;
class HelpViewer;
class OptionHolder;
class ProgramsPage;
class Prompter;
class ShortcutsPage;

// Topt: the options dialog. Made hidden at the start and kept for the whole run; its controls
// edit the live option holder, so open windows follow a change at once.
class Topt : public QDialog {
    Q_OBJECT
public:
    struct Services {
        OptionHolder& options;
        Prompter& prompter;
        HelpViewer& help;
        QString programDirectory;
    };
    Topt(Services services, QWidget* parent);

    // Shows the dialog (not blocking); with a snippet file, on the Shortcuts page with the
    // file in its field.
    void ShowOptions(const QString& snippetFile = {});

    QTabWidget* Pages;
    GeneralPage* General;
    DictionaryPage* DictionaryTab;
    EditorPage* Editor;
    ProgramsPage* Programs;
    ShortcutsPage* Shortcuts;
    QPushButton* CloseButton;

    void done(int result) override;

signals:
    // Closed in any way; confirmed by its Close button or not. The menus follow the tables.
    void Closed(bool confirmed);
    void ButtonbarChanged();
    void ProgramListChanged();
    // Something the menus' states depend on changed (the dictionary).
    void MenuInputsChanged();
    void OpenSnippet(const QString& file);

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void ShowHelp();

    OptionHolder& options_;
    Prompter& prompter_;
    HelpViewer& help_;
};

} // namespace orvelt
