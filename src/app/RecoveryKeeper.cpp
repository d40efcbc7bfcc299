#include "app/RecoveryKeeper.h"

#include "app/RecoveryFolder.h"
#include "app/RecoveryWriter.h"
#include "platform/BusyCursor.h"
#include "widgets/ChildWindow.h"

namespace orvelt {

RecoveryKeeper::RecoveryKeeper(ChildWindow& window, RecoveryWriter& writer, RecoveryFolder& folder,
                               Prompter& prompter, int number)
    : QObject(&window), window_(window), writer_(writer), folder_(folder), prompter_(prompter),
      file_(folder.CopyFile(number)) {
    Timer.setSingleShot(true);
    connect(&Timer, &QTimer::timeout, this, &RecoveryKeeper::Tick);
    connect(&window, &ChildWindow::ContentChanged, this, &RecoveryKeeper::Changed);
    connect(&window, &ChildWindow::ModifiedChanged, this, [this](bool modified) {
        if (modified)
            Changed();
        else
            Forget();
    });
    connect(&window, &ChildWindow::Closed, this, &RecoveryKeeper::Forget);
    connect(&window, &ChildWindow::KeepRecoveryCopy, this, &RecoveryKeeper::KeepNow);
    connect(&writer, &RecoveryWriter::Written, this, &RecoveryKeeper::Written);
}

void RecoveryKeeper::Changed() {
    // The first change since the last copy starts the clock; later ones do not delay it.
    if (window_.IsModified() && !Timer.isActive())
        Timer.start(kPeriod);
}

void RecoveryKeeper::Tick() {
    if (!window_.IsModified())
        return;
    if (InModalWork(prompter_)) {
        Timer.start(kRetry);
        return;
    }
    KeepNow();
}

void RecoveryKeeper::KeepNow() {
    Timer.stop();
    if (FileResult claimed = folder_.Claim(); !claimed.ok) {
        Written(file_, claimed.error);
        return;
    }
    RecoveryCopy names;
    names.fileName = window_.FileNameOf().toStdString();
    names.caption = window_.windowTitle().toStdString();
    writer_.Write(folder_.Path(), file_, window_.Snapshot(), names);
    hasCopy_ = true;
}

QString RecoveryKeeper::KeepAndWait() {
    Timer.stop();
    writer_.Flush();
    if (FileResult claimed = folder_.Claim(); !claimed.ok)
        return claimed.error;
    RecoveryCopy copy = window_.Snapshot().Copy();
    copy.fileName = window_.FileNameOf().toStdString();
    copy.caption = window_.windowTitle().toStdString();
    const FileResult written = RecoveryFolder::Write(folder_.Path(), file_, copy);
    hasCopy_ = hasCopy_ || written.ok;
    return written.ok ? QString() : written.error;
}

void RecoveryKeeper::Forget() {
    Timer.stop();
    if (hasCopy_)
        writer_.Remove(file_);
    hasCopy_ = false;
}

void RecoveryKeeper::Written(const QString& file, const QString& error) {
    if (file != file_)
        return;
    if (error.isEmpty()) {
        if (failureInStatus_)
            emit window_.StatusText({});
        failureInStatus_ = false;
        return;
    }
    // Typing goes on: the box comes once, later failures only in the status bar, and the
    // next change tries again.
    const QString text = "The unsaved text could not be kept in a recovery copy: " + error;
    if (!failureShown_ && !InModalWork(prompter_)) {
        failureShown_ = true;
        prompter_.Message(MessageKind::Error, MessageButtons::Ok, text);
    } else {
        emit window_.StatusText(text);
        failureInStatus_ = true;
    }
    Timer.start(kPeriod);
}

} // namespace orvelt
