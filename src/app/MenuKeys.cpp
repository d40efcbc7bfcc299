#include "app/MenuKeys.h"

#include "options/values/KeyOwners.h"
#include "platform/KeyText.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace orvelt {

namespace {

// The keys an entry was given when it was made, kept beside it: its shortcuts change with
// ownership.
QList<QKeySequence> WantedKeys(QAction* action) {
    const QVariant kept = action->property("wantedKeys");
    if (kept.isValid())
        return kept.value<QList<QKeySequence>>();
    const QList<QKeySequence> keys = action->shortcuts();
    action->setProperty("wantedKeys", QVariant::fromValue(keys));
    return keys;
}

void CollectEntries(QMenu* menu, QList<QAction*>& entries) {
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (QMenu* sub = action->menu())
            CollectEntries(sub, entries);
        else
            entries.append(action);
    }
}

QList<QAction*> EntriesInMenuOrder(QMenuBar* bar) {
    QList<QAction*> entries;
    for (QAction* top : bar->actions())
        if (QMenu* menu = top->menu())
            CollectEntries(menu, entries);
    return entries;
}

} // namespace

void GiveMenuKeysToFirstEnabled(QMenuBar* bar) {
    std::vector<KeyedCommand> commands;
    std::vector<std::pair<QAction*, QKeySequence>> keyed;
    for (QAction* action : EntriesInMenuOrder(bar)) {
        for (const QKeySequence& key : WantedKeys(action)) {
            commands.push_back(
                {key.toString(QKeySequence::PortableText).toStdString(), action->isEnabled()});
            keyed.emplace_back(action, key);
        }
    }
    const std::vector<bool> owners = KeyOwners(commands);
    QHash<QAction*, QList<QKeySequence>> given;
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        auto [action, key] = keyed[i];
        QList<QKeySequence>& keys = given[action];
        if (owners[i] || !action->isEnabled())
            keys.append(key);
    }
    for (auto it = given.begin(); it != given.end(); ++it)
        if (it.key()->shortcuts() != it.value())
            it.key()->setShortcuts(it.value());
}

std::set<std::string, std::less<>> OccupiedKeyTexts(QMenuBar* bar,
                                                    const QList<QKeySequence>& ownKeys) {
    QList<QKeySequence> keys = ownKeys;
    for (QAction* action : EntriesInMenuOrder(bar))
        keys += WantedKeys(action);
    for (auto standard :
         {QKeySequence::SelectAll, QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut,
          QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Close})
        keys += QKeySequence::keyBindings(standard);
    std::set<std::string, std::less<>> texts;
    for (const QKeySequence& key : keys)
        if (auto text = KeyTextOf(key))
            texts.insert(*text);
    return texts;
}

} // namespace orvelt
