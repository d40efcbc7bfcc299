#pragma once

#include "app/session/RecoveryCopy.h"
#include "core/CodePage.h"
#include "core/LineEnd.h"
#include "platform/FileStamp.h"

#include <QObject>
#include <QString>
#include <optional>
#include <string>

namespace orvelt {

class EscapePoller;
class OptionHolder;
class TMyRichEdit;

// The file behind a source window: read into the surface in the encoding and with the line ends
// the file has (from the sidecar when it holds the source's very text, else through the token
// scanner), and written back the same way, the source first and its sidecar after. It also
// notices when another program changed the file.
class SourceFile : public QObject {
    Q_OBJECT
public:
    // A bigger file is refused at open: no document of TeX is anywhere near.
    static constexpr qint64 kSizeLimit = 64LL * 1024 * 1024;

    SourceFile(const OptionHolder& options, EscapePoller& escape, QObject* parent = nullptr);

    struct ReadResult {
        enum Outcome { Read, Missing, TooBig, Unreadable } outcome = Unreadable;
        QString error;            // the system's reason when Unreadable or Missing
        qint64 size = 0;          // TooBig: the file's size
        bool binary = false;      // holds NUL bytes
        bool readOnly = false;    // may not be written by us
        bool sidecarOnly = false; // Missing, but its sidecar holds a copy of the text
    };
    // Reads the file's bytes (kept for Show) and what the window must ask about first.
    ReadResult Read(const QString& fileName);

    enum class ShowOutcome {
        FromSidecar,     // the sidecar held the source's text
        Imported,        // read through the scanner
        SidecarUnusable, // imported: the sidecar was empty, cut or corrupt
        Aborted,         // Escape during the import
    };
    // Puts what Read got on the surface; `savedBreaks` joins soft-broken lines.
    ShowOutcome Show(TMyRichEdit& surface, bool savedBreaks);
    // A missing source whose sidecar holds its text: that text, unstyled formats kept.
    bool ShowSidecarOnly(TMyRichEdit& surface);
    // Text kept from an earlier run (UTF-8, LF), styled as an import styles it; the file, when
    // it is named and there, gives the encoding and line ends it will be saved with.
    void ShowRecovered(const QString& fileName, const RecoveryCopy& copy, TMyRichEdit& surface);
    // The document's text as a recovery copy keeps it: UTF-8, lines ended by LF.

    struct SaveResult {
        bool ok = false;
        QString error;          // the message when the source could not be written
        QString sidecarWarning; // the source is saved, its sidecar not: why
    };
    [[nodiscard]] SaveResult Save(const QString& fileName, TMyRichEdit& surface, bool softBreaks);

    // Whether the file on disk is no longer the one read or last saved here.
    [[nodiscard]] bool ChangedOnDisk() const;
    // The same, unless the user was asked about this very change and kept the window's text.
    [[nodiscard]] bool ChangedSinceAsked() const;
    void KeepOutsideChange();

    [[nodiscard]] TextEncoding Encoding() const { return encoding_; }
    [[nodiscard]] orvelt::LineEnd LineEnding() const { return lineEnd_; }

signals:
    void StatusText(const QString& text);
    void Progress(int done, int total);

private:
    ShowOutcome Import(const std::u16string& text, TMyRichEdit& surface, bool savedBreaks);
    enum class SidecarFit { Shown, Stale, Unusable };
    SidecarFit ShowSidecar(const std::u16string& text, TMyRichEdit& surface, bool savedBreaks);

    const OptionHolder& options_;
    EscapePoller& escape_;
    QString fileName_;
    std::string bytes_;              // between Read and Show
    std::optional<FileStamp> stamp_; // of the file as read or last saved here
    std::optional<FileStamp> kept_;  // an outside change the user chose not to reload
    TextEncoding encoding_ = TextEncoding::Utf8;
    orvelt::LineEnd lineEnd_ = LineEnd::Lf;
};

} // namespace orvelt
