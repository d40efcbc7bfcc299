#pragma once

#include "widgets/ChildWindow.h"

class QPlainTextEdit;

namespace orvelt {

// TLogChild: a log viewer, the third kind of document window. It shows a TeX or BibTeX log
// read-only and is never modified, saved or reloaded.
class TLogChild : public ChildWindow {
    Q_OBJECT
public:
    // Logs above this are shown cut.
    static constexpr qint64 kShownLimit = 64LL * 1024 * 1024;
    // Lines longer than this are broken for display: one endless line would freeze the view.
    static constexpr int kLongestShownLine = 4000;

    explicit TLogChild(QWidget* parent = nullptr);

    [[nodiscard]] ChildKind Kind() const override { return ChildKind::Log; }
    // Loads the log; its caption is the log's full path. False when it cannot be read.
    bool FormCreate(const QString& logName);
    // Said in panel 2 when the log was too big to show whole; empty otherwise.
    [[nodiscard]] const QString& Note() const { return note_; }

    QPlainTextEdit* MainEdit;

private:
    QString note_;
};

} // namespace orvelt
