#include "editor/SourceFile.h"

#include "core/DosDateTime.h"
#include "editor/MyRich.h"
#include "editor/files/RtfCodec.h"
#include "editor/files/SourceWriter.h"
#include "editor/highlight/BlockTokenReader.h"
#include "editor/highlight/TokenStyle.h"
#include "options/OptionHolder.h"
#include "platform/EscapePoller.h"
#include "platform/FileIo.h"
#include "platform/StyleFormat.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

namespace orvelt {

namespace {

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

SourceFile::SourceFile(const OptionHolder& options, EscapePoller& escape, QObject* parent)
    : QObject(parent), options_(options), escape_(escape) {}

bool SourceFile::SidecarIsCurrent(const QString& fileName) {
    if (!NamePartOf(fileName).contains('.'))
        return false;
    auto sidecar = DosFileTime(fileName + ".orv");
    if (!sidecar)
        return true;
    auto source = DosFileTime(fileName);
    return source && SidecarTimesMatch(*source, *sidecar);
}

SourceFile::LoadOutcome SourceFile::Load(const QString& fileName, TMyRichEdit& surface) {
    // Read once: the bytes give the encoding and line ends, and feed the import.
    std::string bytes;
    const bool read = ReadFileBytes(fileName, bytes).ok;
    if (read) {
        encoding_ = DetectEncoding(bytes, options_.Values().ascii);
        lineEnd_ = DetectLineEnd(bytes);
        surface.SetEncoding(encoding_);
    }
    if (QFile::exists(fileName + ".orv"))
        return LoadSidecar(fileName, surface) ? LoadOutcome::Done : LoadOutcome::OpenError;
    // A file that may not be written fails here too, as it always has.
    const QFileInfo info(fileName);
    if (!read || !info.isFile() || !info.isWritable())
        return LoadOutcome::OpenError;
    return Import(bytes, surface);
}

bool SourceFile::LoadSidecar(const QString& fileName, TMyRichEdit& surface) {
    BusyCursor busy;
    std::string bytes;
    if (!ReadFileBytes(fileName + ".orv", bytes).ok)
        return false;
    RtfReadResult rtf = ReadRtf(bytes);
    if (!rtf.ok)
        return false;
    surface.LoadStyledRuns(rtf.runs, StyleFor(options_.Values().styles, StyleKind::Text));
    return true;
}

SourceFile::LoadOutcome SourceFile::Import(const std::string& bytes, TMyRichEdit& surface) {
    BusyCursor busy;
    const OptionValues& options = options_.Values();
    emit StatusText("Importing...press [ESC] to abort");
    surface.document()->setDefaultFont(FontOfStyle(StyleFor(options.styles, StyleKind::Text)));
    std::u16string text = DecodeText(bytes, encoding_);
    // Qt takes CR as a paragraph break of its own; the surface counts CR LF as one break.
    std::erase_if(text, [&, i = std::size_t{0}](char16_t) mutable {
        std::size_t at = i++;
        return text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n';
    });
    const int total = static_cast<int>(text.size());
    emit Progress(0, total);

    std::size_t readPos = 0;
    BlockTokenReader<char16_t> reader(
        [&](char16_t* into, std::size_t capacity) {
            std::size_t n = std::min(capacity, text.size() - readPos);
            std::copy_n(text.data() + readPos, n, into);
            readPos += n;
            return n;
        },
        ScanOptions{ScanMode::Source, options.filterSpecials, false});

    while (escape_.EscapePressed()) {
    }
    escape_.BeginOperation();
    std::vector<QTextCharFormat> formats;
    for (const HighlightStyle& style : options.styles)
        formats.push_back(FormatOfStyle(style));
    // Scan first, collecting the text and its runs of one category each; the surface takes
    // them in one go after.
    QString all;
    all.reserve(static_cast<qsizetype>(text.size()));
    std::vector<TMyRichEdit::FormatRun> runs;
    LoadOutcome outcome = LoadOutcome::Imported;
    while (auto token = reader.Next()) {
        if (escape_.EscapePressed()) {
            outcome = LoadOutcome::Aborted;
            break;
        }
        const int style = static_cast<int>(TokenStyle(*token, options_.Keywords()));
        const int length = static_cast<int>(token->text.size());
        if (runs.empty() || runs.back().format != style) {
            runs.push_back({length, style});
        } else {
            runs.back().length += length;
        }
        all.append(QStringView(token->text.data(), static_cast<qsizetype>(length)));
        emit Progress(static_cast<int>(reader.Consumed()), total);
    }
    escape_.EndOperation();
    if (outcome == LoadOutcome::Imported)
        surface.LoadStyledText(all, runs, std::move(formats), static_cast<int>(StyleKind::Text));
    emit StatusText({});
    return outcome;
}

SourceFile::SaveResult SourceFile::Save(const QString& fileName, TMyRichEdit& surface,
                                        bool softBreaks) {
    BusyCursor busy;
    surface.FinishFormatting(); // the sidecar keeps every format
    const QString raw = surface.RawText();
    // Sidecar first, then the source: the source's later time keeps the pair current.
    FileResult sidecar = WriteFileAtomically(fileName + ".orv", WriteRtf(surface.StyledRuns(raw)));
    if (!sidecar.ok)
        return {false, "Error writing " + fileName + ".orv: " + sidecar.error};

    emit StatusText("Saving...");
    SourceWriteOptions options;
    options.encoding = encoding_;
    options.lineEnd = lineEnd_;
    options.softBreakMarker = softBreaks;
    const std::vector<SurfaceLine> lines = surface.Lines(raw);
    SourceWriteResult written = WriteSource(lines, options);
    const int total = std::max<int>(1, static_cast<int>(lines.size()));
    emit Progress(total, total);
    FileResult source = WriteFileAtomically(fileName, written.bytes);
    emit StatusText({});
    if (!source.ok)
        return {false, "Error writing " + fileName + ": " + source.error};
    return {true, {}};
}

} // namespace orvelt
