#pragma once

#include "platform/Prompter.h"

#include <QApplication>

namespace orvelt {

// The busy cursor for as long as it lives.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// A question, a modal dialog or a long operation (it shows the busy cursor) is under way. Qt runs
// timers inside their loops: what a timer does then (a save, a copy of the text) must wait, or
// it would take half of the operation's work.
[[nodiscard]] inline bool InModalWork(const Prompter& prompter) {
    return prompter.Asking() || QApplication::activeModalWidget() != nullptr ||
           QApplication::overrideCursor() != nullptr;
}

} // namespace orvelt
