#pragma once

#include "options/values/OptionValues.h"

#include <QList>
#include <QObject>
#include <vector>

class QAction;
class QMenu;

namespace orvelt {

// The TeX menu: one item per program-list entry, in list order, with the entry's name, key and
// command line (as its hint); an item's tag is the entry's position from 1.
class TexMenu : public QObject {
    Q_OBJECT
public:
    explicit TexMenu(QMenu* menu);

    // BuildTeXMenu: the items anew from the list.
    void Build(const std::vector<ProgramEntry>& programs);
    [[nodiscard]] QMenu* Menu() const { return menu_; }
    [[nodiscard]] const QList<QAction*>& Items() const { return items_; }
    // The list the items were built from: the button bar keeps to it while the dialog edits.
    [[nodiscard]] const std::vector<ProgramEntry>& Programs() const { return programs_; }
    // The item of a tag; null when there is none.
    [[nodiscard]] QAction* Item(int tag) const;

signals:
    // An item was chosen (or the button of the same tag clicked).
    void Run(int tag);

private:
    QMenu* menu_;
    QList<QAction*> items_;
    std::vector<ProgramEntry> programs_;
};

} // namespace orvelt
