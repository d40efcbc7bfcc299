#pragma once

#include "widgets/ChildWindow.h"

#include <QObject>
#include <QString>

namespace orvelt {

// Writes and deletes recovery copies on a thread of its own, so that a copy never holds up
// typing: the window hands over a snapshot of its text, the writer encodes and writes it. Jobs
// run in the order they were given.
class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Called on any thread: queued to the writer's.
    void Write(const QString& folder, const QString& file, const TextSnapshot& snapshot,
               const RecoveryCopy& names);
    void Remove(const QString& file);
    // Returns once every job given before has run.
    void Flush();

signals:
    // A copy was written (error empty) or could not be (the system's description).
    void Written(const QString& file, const QString& error);
};

} // namespace orvelt
