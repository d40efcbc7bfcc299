#pragma once

#include "options/values/OptionValues.h"

#include <QObject>
#include <QString>
#include <set>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace orvelt {

class Prompter;
class TMyRichEdit;

// The source window's context menu: Undo, Redo, Cut, Copy, Paste, Select All (enabled as they
// apply), then the "Shortcuts" submenu with every snippet of the Shortcut folders and every
// snippet that has a key; an item, or its key, inserts the snippet's highlighted text (its
// sidecar) at the caret.
class SourceContextMenu : public QObject {
    Q_OBJECT
public:
    SourceContextMenu(TMyRichEdit& surface, Prompter& prompter, QWidget* window);

    [[nodiscard]] QMenu* Menu() const { return menu_; }
    [[nodiscard]] QMenu* Snippets() const { return snippets_; }
    // The snippet items and their keys, which work while the window has the focus.
    // A key stored twice works for its first row only; an occupied one for none.
    void Fill(const std::vector<SnippetKey>& keys,
              const std::set<std::string, std::less<>>& occupied, const QString& programDirectory);
    void InsertSnippet(const QString& snippetFile);

signals:
    // A snippet went into the text.
    void Inserted();

private:
    void EnableEditing();

    TMyRichEdit& surface_;
    Prompter& prompter_;
    QWidget* window_;
    QMenu* menu_;
    QMenu* snippets_;
    QAction* undo_;
    QAction* redo_;
    QAction* cut_;
    QAction* copy_;
    QAction* paste_;
};

} // namespace orvelt
