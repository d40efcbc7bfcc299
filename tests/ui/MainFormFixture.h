#pragma once

#include "RecordingLauncher.h"
#include "ScriptedPrompter.h"
#include "app/Main.h"
#include "bib/fbibchild.h"
#include "editor/Childwin.h"
#include "platform/HelpViewer.h"
#include "platform/StyleFormat.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSet>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class QDialog;

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << QString(text).replace('\n', "\\n").toStdString() << '"';
}

namespace orvelt::testing {

// A main window on an in-memory store, a temporary program directory and a scripted Prompter,
// with what a person does to it and sees of it.
// Keeps the help topics asked for.
class RecordingHelpViewer : public HelpViewer {
public:
    void ShowContents() override { topics.append(0); }
    void ShowTopic(int topic) override { topics.append(topic); }
    void ShowNearest(const QString& word) override { words.append(word); }
    QList<int> topics;
    QStringList words;
};

// Acts on modal dialogs of the program's own (the Prompter's are scripted there): each act runs
// on the next dialog of its name to be shown, from inside that dialog's own event loop, as a
// person acts once it is up. A watched dialog shown with no act waiting fails the test and is
// cancelled, and so is one that an act leaves open; dialogs never named here are left alone
// (the options dialog is modal, but no loop of its own waits on it).
class DialogActor : public QObject {
public:
    DialogActor();
    ~DialogActor() override;
    void Expect(const QString& objectName, std::function<void(QDialog&)> act);
    void Watch(const QString& objectName) { watched_.insert(objectName); }
    [[nodiscard]] bool Exhausted() const { return acts_.empty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::deque<std::pair<QString, std::function<void(QDialog&)>>> acts_;
    QSet<QString> watched_;
};

class MainFormFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds (or rebuilds) the main window with these command-line files and shows it.
    TMainForm& StartForm(const QStringList& arguments = {});
    // A main window with one untitled document.
    void StartNew();
    // Closes the main window as its close box does; true when it closed.
    bool CloseForm();

    void Trigger(const char* actionName);
    // The next modal dialog of this name gets `act` (which closes it).
    void WhenShown(const QString& dialogName, std::function<void(QDialog&)> act) {
        dialogs_.Expect(dialogName, std::move(act));
    }
    void Type(const QString& text);
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // The same into any widget (a grid cell, a tree).
    void TypeInto(QWidget* widget, const QString& text);
    void KeyInto(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Paste(const QString& text);
    // Writes a file of the temporary folder and opens it.
    void Open(const QString& name, const std::string& bytes);
    // Saves an untitled document under a name of the temporary folder.
    void SaveAs(const QString& name);
    // A file that was only opened is not modified: type a blank and take it back, then save.
    void SaveUnchanged();
    void ShowTab(int index);
    void CloseActive() { Active()->parentWidget()->close(); }
    [[nodiscard]] QString Panel(int panel) const { return form_->PanelText(panel); }
    [[nodiscard]] TMDIChild* Active() const { return form_->ActiveSourceWindow(); }
    [[nodiscard]] TBIBChild* Bib() const { return form_->ActiveBibWindow(); }
    [[nodiscard]] TMyRichEdit* Edit() const { return Active()->MainEdit; }
    [[nodiscard]] QString Text() const { return Edit()->toPlainText(); }
    // The style of the character at Qt position p, and a category's in the options.
    [[nodiscard]] HighlightStyle StyleAt(int p) const;
    [[nodiscard]] HighlightStyle Style(StyleKind kind) const {
        return StyleFor(form_->Options().styles, kind);
    }
    // The category of each character, one letter each: t(ext) c(omment) K(eyword command)
    // u(ser command) b(race) k (bracket) m(ath); '?' for a format of none of them.
    [[nodiscard]] QString Kinds() const;

    [[nodiscard]] QString File(const QString& name) const { return dir_.path() + "/" + name; }
    void WriteBytes(const QString& path, const std::string& bytes) const;
    [[nodiscard]] std::string ReadBytes(const QString& path) const;
    void SetFileTime(const QString& path, int hour, int minute) const;

    QTemporaryDir dir_;
    MemorySettingsStore store_;
    ScriptedPrompter prompter_;
    RecordingHelpViewer help_;
    RecordingLauncher launcher_;
    DialogActor dialogs_;
    bool realPrograms_ = false; // start programs for real instead of recording them
    std::unique_ptr<TMainForm> form_;
};

} // namespace orvelt::testing
