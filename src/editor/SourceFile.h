#pragma once

#include "core/CodePage.h"
#include "core/LineEnd.h"

#include <QObject>
#include <QString>
#include <string>

namespace orvelt {

class EscapePoller;
class OptionHolder;
class TMyRichEdit;

// The file behind a source window: read into the surface (from the sidecar, or through the
// token scanner) in the encoding and with the line ends the file has, and written back the same
// way with its sidecar.
class SourceFile : public QObject {
    Q_OBJECT
public:
    SourceFile(const OptionHolder& options, EscapePoller& escape, QObject* parent = nullptr);

    enum class LoadOutcome { Done, Imported, Aborted, OpenError };
    // Imported: read through the scanner (no sidecar); Aborted: Escape during the import.
    LoadOutcome Load(const QString& fileName, TMyRichEdit& surface);

    struct SaveResult {
        bool ok = false;
        QString error; // the message to show when !ok
    };
    [[nodiscard]] SaveResult Save(const QString& fileName, TMyRichEdit& surface, bool softBreaks);

    // Whether the sidecar belongs to the source: their packed DOS times differ by < 161.
    [[nodiscard]] static bool SidecarIsCurrent(const QString& fileName);
    [[nodiscard]] TextEncoding Encoding() const { return encoding_; }
    [[nodiscard]] orvelt::LineEnd LineEnding() const { return lineEnd_; }

signals:
    void StatusText(const QString& text);
    void Progress(int done, int total);

private:
    bool LoadSidecar(const QString& fileName, TMyRichEdit& surface);
    LoadOutcome Import(const std::string& bytes, TMyRichEdit& surface);

    const OptionHolder& options_;
    EscapePoller& escape_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    orvelt::LineEnd lineEnd_ = LineEnd::Lf;
};

} // namespace orvelt
