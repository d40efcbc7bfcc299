#include "app/RecoveryWriter.h"

#include "app/RecoveryFolder.h"

#include <QFile>
#include <QThread>

namespace orvelt {

void RecoveryWriter::Write(const QString& folder, const QString& file, const TextSnapshot& snapshot,
                           const RecoveryCopy& names) {
    QMetaObject::invokeMethod(
        this,
        [this, folder, file, snapshot, names] {
            RecoveryCopy copy = snapshot.Copy();
            copy.fileName = names.fileName;
            copy.caption = names.caption;
            const FileResult written = RecoveryFolder::Write(folder, file, copy);
            emit Written(file, written.ok ? QString() : written.error);
        },
        Qt::QueuedConnection);
}

void RecoveryWriter::Remove(const QString& file) {
    QMetaObject::invokeMethod(
        this, [file] { QFile::remove(file); }, Qt::QueuedConnection);
}

void RecoveryWriter::Flush() {
    if (thread() == QThread::currentThread())
        return; // nothing queued can be waiting behind the caller
    QMetaObject::invokeMethod(
        this, [] {}, Qt::BlockingQueuedConnection);
}

} // namespace orvelt
