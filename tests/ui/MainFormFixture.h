#pragma once

#include "ScriptedPrompter.h"
#include "app/Main.h"
#include "editor/Childwin.h"
#include "platform/StyleFormat.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << QString(text).replace('\n', "\\n").toStdString() << '"';
}

namespace orvelt::testing {

// A main window on an in-memory store, a temporary program directory and a scripted Prompter.
class MainFormFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds (or rebuilds) the main window with these command-line files and shows it.
    TMainForm& StartForm(const QStringList& arguments = {});
    // Closes the main window as its close box does; true when it closed.
    bool CloseForm();

    void Trigger(const char* actionName);
    void Type(const QString& text);
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // A file that was only opened is not modified: type a blank and take it back, then save.
    void SaveUnchanged();
    [[nodiscard]] QString Panel(int panel) const { return form_->PanelText(panel); }
    [[nodiscard]] TMDIChild* Active() const { return form_->ActiveSourceWindow(); }
    [[nodiscard]] QString Text() const { return Active()->MainEdit->toPlainText(); }

    [[nodiscard]] QString File(const QString& name) const { return dir_.path() + "/" + name; }
    void WriteBytes(const QString& path, const std::string& bytes) const;
    [[nodiscard]] std::string ReadBytes(const QString& path) const;
    void SetFileTime(const QString& path, int hour, int minute) const;

    QTemporaryDir dir_;
    MemorySettingsStore store_;
    ScriptedPrompter prompter_;
    std::unique_ptr<TMainForm> form_;
};

} // namespace orvelt::testing
