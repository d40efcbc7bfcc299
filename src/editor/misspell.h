#pragma once

#include "editor/spell/SpellScan.h"

#include <QDialog>
#include <QPointer>
#include <QTextCursor>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvelt {

class OptionHolder;
class Prompter;
class TMDIChild;

// Tmisspelled: the "Misspelled word" dialog and the one spell check that runs at a time. It
// stays above the main window without blocking it: while a word waits, the user may edit the
// document, and the check follows those edits (its positions are cursors of the document).
class Tmisspelled : public QDialog {
    Q_OBJECT
public:
    struct Services {
        OptionHolder& options;
        Prompter& prompter;
        std::function<void(int done, int total)> progress; // status panel 0
        std::function<void()> clearProgress;
    };
    Tmisspelled(Services services, QWidget* parent);

    // Spellcheck1Click: checks the window's text from the caret to the end. A check that was
    // waiting ends as Cancel first.
    void Start(TMDIChild& child);
    [[nodiscard]] bool Checking() const { return !child_.isNull(); }

    // The buttons Ignore, Ignore All, Replace and Replace All.
    void misSpellClick(QPushButton* sender);
    void BtnAddIClick();
    void BtnCancelClick();
    // A key typed in the replacement: Enter replaces from now on, and the word can no longer
    // be learned as it stands.
    void EditReplaceKeyPress();

    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* EditFind;
    QLineEdit* EditReplace;
    QPushButton* BtnIgnore;
    QPushButton* BtnIgnoreAll;
    QPushButton* BtnReplace;
    QPushButton* BtnReplaceAll;
    QPushButton* BtnAddI;
    QPushButton* BtnCancel;

    void reject() override; // Escape

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Scans on from the read cursor, puts in Replace All pairs, and shows the next word or
    // completes the check.
    void Continue();
    void ShowWord();
    // The dialog, centred on the screen, moves off the word it would hide.
    void KeepClearOfWord();
    void Complete();
    // Ends the check without writing anything (Cancel, or its window went away).
    void End();
    // Whether the check's window and document are still the ones it started on.
    [[nodiscard]] bool DocumentHeld() const;
    void EnableButtons(bool on);

    OptionHolder& options_;
    Prompter& prompter_;
    std::function<void(int, int)> progress_;
    std::function<void()> clearProgress_;

    QPointer<TMDIChild> child_;
    QPointer<QTextDocument> document_;
    QTextCursor read_; // where reading goes on
    QTextCursor word_; // the word shown, as a selection
    QString shownWord_;
    CheckLists lists_; // Ignorelist, Replacelist and Replacewith
    QMetaObject::Connection closedConnection_;
};

} // namespace orvelt
