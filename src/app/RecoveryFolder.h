#pragma once

#include "app/session/RecoveryCopy.h"
#include "platform/FileIo.h"

#include <QString>
#include <functional>
#include <vector>

namespace orvelt {

class Prompter;

// Where the text of unsaved documents is kept: $XDG_STATE_HOME/orvelt95 (else
// ~/.local/state/orvelt95), a folder only its owner may enter, each copy a file only its owner
// may read. Each running instance claims its copies with a lock file it holds locked: while it
// runs, no other instance offers or deletes them.
class RecoveryFolder {
public:
    explicit RecoveryFolder(QString path = DefaultPath());
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;
    [[nodiscard]] static QString DefaultPath();
    [[nodiscard]] const QString& Path() const { return path_; }

    // The lock file, written once the first copy is; removed when the instance ends.
    [[nodiscard]] FileResult Claim();
    // A file of its own for each window of this instance.
    [[nodiscard]] QString CopyFile(int window) const;

    // Writes a copy atomically, the folder first made private. Safe on any thread.
    [[nodiscard]] static FileResult Write(const QString& folder, const QString& file,
                                          const RecoveryCopy& copy);

    struct Kept {
        QString file;
        RecoveryRead read;
    };
    // The copies of instances that are not running any more, oldest first.
    [[nodiscard]] std::vector<Kept> Orphans() const;
    // Asks about each orphan: Yes gives it to `open`, which returns the copy file of the window
    // that now holds the text; the orphan becomes that file, so the text is never without a
    // copy. No deletes it, Cancel keeps it for the next start. A damaged copy is named and kept,
    // never opened as if it were whole.
    void Offer(Prompter& prompter, const std::function<QString(const RecoveryCopy&)>& open);

private:
    QString path_;
    QString owner_; // "<process id>-<random>": two instances of one process are two owners
    int lock_ = -1; // the lock file, held locked while this instance runs
};

} // namespace orvelt
