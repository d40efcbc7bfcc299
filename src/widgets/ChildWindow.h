#pragma once

#include "app/session/RecoveryCopy.h"
#include "core/ChildKind.h"
#include "platform/Prompter.h"

#include <QWidget>
#include <functional>

namespace orvelt {

// A document's text as it stands, for a recovery copy: cheap to take on the window's thread.
// Copy() makes the copy of it, on any thread.
struct TextSnapshot {
    QString text;
    bool surface = false; // the editor surface's raw text: its own separators and characters
    TextEncoding encoding = TextEncoding::Utf8;
    LineEnd lineEnd = LineEnd::Lf;
    [[nodiscard]] RecoveryCopy Copy() const;
};

// What the main window knows of a document window of any kind. Children talk up by signals
// and are asked down through these functions; the main window never reaches into their widgets.
class ChildWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    [[nodiscard]] virtual ChildKind Kind() const = 0;
    // The full file name; empty for an untitled document and for a log window.
    [[nodiscard]] virtual QString FileNameOf() const { return {}; }
    [[nodiscard]] virtual bool IsModified() const { return false; }
    // The caret's line, as the status bar shows it; 0 for a window without lines.
    [[nodiscard]] virtual int CaretLine() const { return 0; }
    // The document's text for a recovery copy.
    [[nodiscard]] virtual TextSnapshot Snapshot() { return {}; }

    // Saves under its name (asking for one when untitled); false when nothing was saved.
    virtual bool SaveDocument() { return false; }
    virtual bool SaveDocumentAs() { return false; }
    // What the last save that succeeded could not do (its sidecar, say); empty when nothing.
    [[nodiscard]] virtual QString SaveNote() const { return {}; }
    // "Save %s ?" for a modified document: true when the window may go (saved, or No).
    virtual bool AskToSave() { return true; }

    // The window became the active one, or stopped being it.
    virtual void FormActivate() {}
    virtual void FormDeactivate() {}
    // The program came back to the front: see whether another program changed the file.
    virtual void CheckFileOnDisk() {}

    virtual void EditUndo() {}
    virtual void EditRedo() {}
    virtual void EditCut() {}
    virtual void EditCopy() {}
    virtual void EditPaste() {}

protected:
    // "Save %s ?" with the file's name, or an untitled window's caption ("Save  ?" named
    // nothing): Yes saves, No lets the window go unsaved, Cancel keeps it.
    bool AskToSaveWith(Prompter& prompter);
    // Whether to read again a file another program changed since it was read or saved here.
    Answer AskReloadWith(Prompter& prompter, MessageButtons buttons);
    // Before a save over a file another program changed: Yes reads it again instead, No saves
    // over it, Cancel saves nothing. True when the save may go on.
    bool MaySaveOverOutsideChange(Prompter& prompter, const std::function<void()>& reload);

signals:
    void ModifiedChanged(bool modified);
    // The document's text changed (typing, pasting, any edit).
    void ContentChanged();
    // Keep the text in a recovery copy now (a save that could not be done).
    void KeepRecoveryCopy();
    // The caret's row (status panel 0), or 0 to clear it.
    void RowChanged(int row);
    void InsertModeChanged(const QString& mode);
    // A text for the hint panel; Transient ones clear themselves after a while.
    void StatusText(const QString& text);
    void TransientText(const QString& text);
    // A long operation's progress; the panel shows the percentage.
    void Progress(int done, int total);
    // The document now lives under another name (the window's caption).
    void Renamed(const QString& fileName);
    // Save as wrote the document under a new name chosen by the user.
    void SavedAs(const QString& fileName);
    // The window accepted its close: the window list forgets it.
    void Closed(ChildWindow* window);
};

} // namespace orvelt
