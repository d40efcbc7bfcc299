#pragma once

#include "options/values/OptionValues.h"

#include <QObject>
#include <QString>
#include <vector>

class QMenu;
class QWidget;

namespace orvelt {

class Prompter;
class TMyRichEdit;

// The source window's context menu and its "Shortcuts" submenu: one item per snippet, whose
// key inserts the snippet's highlighted text (its sidecar) at the caret.
class SourceContextMenu : public QObject {
    Q_OBJECT
public:
    SourceContextMenu(TMyRichEdit& surface, Prompter& prompter, QWidget* window);

    [[nodiscard]] QMenu* Menu() const { return menu_; }
    [[nodiscard]] QMenu* Snippets() const { return snippets_; }
    // The snippet items and their keys, which work while the window has the focus.
    void Fill(const std::vector<SnippetKey>& snippets);
    void InsertSnippet(const QString& snippetFile);

signals:
    // A snippet went into the text.
    void Inserted();

private:
    TMyRichEdit& surface_;
    Prompter& prompter_;
    QWidget* window_;
    QMenu* menu_;
    QMenu* snippets_;
};

} // namespace orvelt
