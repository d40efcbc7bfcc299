#pragma once

#include "app/session/RecoveryCopy.h"

#include <QString>
#include <vector>

namespace orvelt {

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

private:
    QString path_;
};

} // namespace orvelt
