#pragma once

#include "app/session/RecoveryCopy.h"

#include <QList>
#include <QString>
#include <functional>
#include <vector>

namespace orvelt {

class ChildWindow;
class Prompter;

// Where the text of unsaved documents is kept between two runs: $XDG_STATE_HOME/orvelt95 (else
// ~/.local/state/orvelt95), a folder only its owner may enter, each copy a file only its owner
// may read.
class RecoveryFolder {
public:
    explicit RecoveryFolder(QString path = DefaultPath());
    [[nodiscard]] static QString DefaultPath();

    // Writes each copy to a file of its own; the error of the first that fails, if any.
    [[nodiscard]] QString Keep(const std::vector<RecoveryCopy>& copies);

    struct Kept {
        QString file;
        RecoveryCopy copy;
    };
    [[nodiscard]] std::vector<Kept> Copies() const;
    void Remove(const QString& file);

    // Every modified document's text, when no question may be asked (a log-off).
    [[nodiscard]] QString KeepUnsaved(const QList<ChildWindow*>& children);
    // One question offers the kept copies back; after Yes each is given to `open`. A copy's
    // file goes only then (its text is in a window now), or after No (the user let it go).
    void Offer(Prompter& prompter, const std::function<void(const RecoveryCopy&)>& open);

private:
    QString path_;
};

} // namespace orvelt
