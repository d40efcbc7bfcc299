#include "editor/SourceFile.h"

#include "editor/MyRich.h"
#include "editor/files/RtfCodec.h"
#include "editor/files/SourceLinks.h"
#include "editor/files/SourceWriter.h"
#include "editor/files/SurfaceCharacters.h"
#include "editor/highlight/BlockTokenReader.h"
#include "editor/highlight/TokenStyle.h"
#include "options/OptionHolder.h"
#include "platform/BusyCursor.h"
#include "platform/EscapePoller.h"
#include "platform/FileIo.h"
#include "platform/StyleFormat.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace orvelt {

namespace {

QString Sidecar(const QString& fileName) {
    return fileName + ".orv";
}

// A run without a format of its own (no face, size 0) is text: pasted text was saved so, and
// showed in a proportional face for good.
void HealStyle(HighlightStyle& style, const HighlightStyle& text) {
    if (style.face.empty() || style.size <= 0)
        style = text;
}

// Feeds the scanner's tokens of `text` to `take`; false when Escape ended it early.
template <class Take>
bool ScanTokens(const std::u16string& text, const ScanOptions& options, EscapePoller* escape,
                Take take) {
    BlockTokenReader<char16_t> reader(BlockTokenReader<char16_t>::FromText(text), options);
    while (auto token = reader.Next()) {
        if (escape && escape->EscapePressed())
            return false;
        take(*token, reader.Consumed());
    }
    return true;
}

} // namespace

SourceFile::SourceFile(const OptionHolder& options, EscapePoller& escape, QObject* parent)
    : QObject(parent), options_(options), escape_(escape) {}

SourceFile::ReadResult SourceFile::Read(const QString& fileName) {
    fileName_ = fileName;
    bytes_.clear();
    ReadResult result;
    const QFileInfo info(fileName); // of what a link points to
    if (!info.exists()) {
        result.outcome = ReadResult::Missing;
        result.error = QString::fromLocal8Bit(std::strerror(ENOENT));
        result.sidecarOnly = QFileInfo(Sidecar(fileName)).isFile();
        return result;
    }
    if (info.isFile() && info.size() > kSizeLimit) {
        result.outcome = ReadResult::TooBig;
        result.size = info.size();
        return result;
    }
    const FileResult read = ReadFileBytes(fileName, bytes_);
    if (!read.ok) {
        result.error = read.error;
        return result;
    }
    result.outcome = ReadResult::Read;
    result.binary = bytes_.find('\0') != std::string::npos;
    result.readOnly = !info.isWritable();
    encoding_ = DetectEncoding(bytes_, options_.Values().ascii);
    lineEnd_ = DetectLineEnd(bytes_);
    stamp_ = StampOfFile(fileName);
    return result;
}

SourceFile::ShowOutcome SourceFile::Show(TMyRichEdit& surface, bool savedBreaks) {
    BusyCursor busy;
    std::u16string text = DecodeText(bytes_, encoding_);
    bytes_ = std::string();
    ToSurfaceCharacters(text);
    surface.SetEncoding(encoding_);
    bool unusable = false;
    if (QFileInfo::exists(Sidecar(fileName_))) {
        switch (ShowSidecar(text, surface, savedBreaks)) {
        case SidecarFit::Shown:
            return ShowOutcome::FromSidecar;
        case SidecarFit::Unusable:
            unusable = true;
            break;
        case SidecarFit::Stale:
            break;
        }
    }
    const ShowOutcome imported = Import(text, surface, savedBreaks);
    return unusable && imported == ShowOutcome::Imported ? ShowOutcome::SidecarUnusable : imported;
}

SourceFile::SidecarFit SourceFile::ShowSidecar(const std::u16string& text, TMyRichEdit& surface,
                                               bool savedBreaks) {
    std::string bytes;
    if (!ReadFileBytes(Sidecar(fileName_), bytes).ok)
        return SidecarFit::Unusable;
    RtfFlatReadResult rtf = ReadRtfFlat(bytes);
    bytes = std::string();
    if (!rtf.ok)
        return SidecarFit::Unusable;
    // The text the import would show: the source's own lines, joined where soft breaks were
    // saved and without the specials the options filter. Scanning is needed only when there is
    // something of those to take out.
    const OptionValues& options = options_.Values();
    const std::u16string_view view(text);
    const bool scan =
        (savedBreaks && view.find(kSoftBreakMarker) != std::u16string_view::npos) ||
        (options.filterSpecials && view.find(u"\\special") != std::u16string_view::npos);
    LineEndFolder folder;
    std::u16string expected;
    expected.reserve(text.size());
    if (scan) {
        ScanTokens(text, ScanOptions{ScanMode::Source, options.filterSpecials, false, savedBreaks},
                   nullptr,
                   [&](const auto& token, std::size_t) { folder.Append(token.text, expected); });
    } else {
        folder.Append(text, expected);
    }
    // The sidecar is a cache of the colours, never a second truth: its text must be the source's.
    ToSurfaceCharacters(rtf.styled.text);
    if (rtf.styled.text != expected)
        return SidecarFit::Stale;
    for (HighlightStyle& style : rtf.styled.styles)
        HealStyle(style, StyleFor(options.styles, StyleKind::Text));
    surface.LoadStyledRuns(rtf.styled, StyleFor(options.styles, StyleKind::Text), folder.Ends());
    return SidecarFit::Shown;
}

bool SourceFile::ShowSidecarOnly(TMyRichEdit& surface) {
    std::string bytes;
    if (!ReadFileBytes(Sidecar(fileName_), bytes).ok)
        return false;
    RtfReadResult rtf = ReadRtf(bytes);
    if (!rtf.ok)
        return false;
    for (StyledRun& run : rtf.runs) {
        ToSurfaceCharacters(run.text);
        HealStyle(run.style, StyleFor(options_.Values().styles, StyleKind::Text));
    }
    encoding_ = TextEncoding::Utf8;
    lineEnd_ = LineEnd::Lf;
    stamp_.reset();
    surface.SetEncoding(encoding_);
    surface.LoadStyledRuns(rtf.runs, StyleFor(options_.Values().styles, StyleKind::Text), {});
    return true;
}

void SourceFile::ShowRecovered(const QString& fileName, const RecoveryCopy& copy,
                               TMyRichEdit& surface) {
    stamp_.reset();
    fileName_ = fileName;
    if (!fileName.isEmpty() && Read(fileName).outcome == ReadResult::Read)
        bytes_ = std::string(); // only its state on disk counts
    // The conventions the text had when it was kept: the file may be gone, or never was.
    encoding_ = copy.encoding;
    lineEnd_ = copy.lineEnd;
    surface.SetEncoding(encoding_);
    std::u16string decoded = Utf8ToUtf16(copy.text);
    ToSurfaceCharacters(decoded);
    // Escape cannot leave a window half made here: the text is all there is.
    Import(decoded, surface, false);
}

SourceFile::ShowOutcome SourceFile::Import(const std::u16string& text, TMyRichEdit& surface,
                                           bool savedBreaks) {
    const OptionValues& options = options_.Values();
    emit StatusText("Importing...press [ESC] to abort");
    surface.document()->setDefaultFont(FontOfStyle(StyleFor(options.styles, StyleKind::Text)));
    const int total = static_cast<int>(text.size());
    emit Progress(0, total);

    while (escape_.EscapePressed()) {
    }
    escape_.BeginOperation();
    // Scan first, collecting the text and its runs of one category each; the surface takes
    // them in one go after. Line ends reach the surface as one LF each, their kinds kept aside.
    LineEndFolder folder;
    std::u16string all;
    all.reserve(text.size());
    std::vector<TMyRichEdit::FormatRun> runs;
    // Reported per tenth of a percent, all the panel shows: a signal per token cost 40 ms of a
    // 2 MB import.
    const std::size_t step = std::max<std::size_t>(1, text.size() / 1000);
    std::size_t nextReport = step;
    const bool complete =
        ScanTokens(text, ScanOptions{ScanMode::Source, options.filterSpecials, false, savedBreaks},
                   &escape_, [&](const HighlightToken<char16_t>& token, std::size_t consumed) {
                       const int style = static_cast<int>(TokenStyle(token, options_.Keywords()));
                       const std::size_t before = all.size();
                       folder.Append(token.text, all);
                       const int length = static_cast<int>(all.size() - before);
                       if (length == 0)
                           return; // the LF of a CR LF whose CR ended the token before
                       if (runs.empty() || runs.back().format != style)
                           runs.push_back({length, style});
                       else
                           runs.back().length += length;
                       if (consumed >= nextReport) {
                           emit Progress(static_cast<int>(consumed), total);
                           nextReport = consumed + step;
                       }
                   });
    escape_.EndOperation();
    emit StatusText({});
    if (!complete)
        return ShowOutcome::Aborted;
    std::vector<QTextCharFormat> formats;
    for (const HighlightStyle& style : options.styles)
        formats.push_back(FormatOfStyle(style));
    surface.LoadStyledText(QString::fromStdU16String(all), runs, std::move(formats),
                           static_cast<int>(StyleKind::Text), folder.Ends());
    return ShowOutcome::Imported;
}

SourceFile::SaveResult SourceFile::Save(const QString& fileName, TMyRichEdit& surface,
                                        bool softBreaks, bool specials) {
    BusyCursor busy;
    surface.FinishFormatting(); // the sidecar keeps every format
    QString raw = surface.RawText();
    FlatStyledText runs = surface.StyledRuns(raw);
    FromSurfaceCharacters(runs.text);
    for (HighlightStyle& style : runs.styles)
        HealStyle(style, StyleFor(options_.Values().styles, StyleKind::Text));
    // Mapped in place: the lines below are views into it, at the same positions.
    FromSurfaceCharacters(reinterpret_cast<char16_t*>(raw.data()),
                          static_cast<std::size_t>(raw.size()));

    emit StatusText("Saving...");
    SourceWriteOptions options;
    options.encoding = encoding_;
    options.lineEnd = lineEnd_;
    options.softBreakMarker = softBreaks;
    QString specialsNote;
    if (specials && options_.Values().specials) {
        SourceSpecialsHook hook = MakeSourceSpecials(QFile::encodeName(fileName).toStdString(),
                                                     options_.Values().specialsInterval);
        options.beforeLine = std::move(hook.beforeLine);
        if (hook.outcome == SpecialsOutcome::UnsafeName)
            specialsNote = "Saved without source specials: TeX would misread the file's name.";
    }
    const std::vector<SurfaceLine> lines = surface.Lines(raw);
    const std::string bytes = WriteSource(lines, options).bytes;
    const int total = std::max<int>(1, static_cast<int>(lines.size()));
    emit Progress(total, total);
    // The source is the user's data and goes first; the sidecar is a cache of its colours.
    const FileResult source = WriteFileAtomically(fileName, bytes);
    emit StatusText({});
    if (!source.ok)
        return {false, "Error writing " + fileName + ": " + source.error, {}, {}};
    fileName_ = fileName;
    stamp_ = StampOfFile(fileName);
    SaveResult result{true, {}, {}, specialsNote};
    // A private source gets a private sidecar.
    const FileResult sidecar = WriteFileAtomically(Sidecar(fileName), WriteRtf(runs), fileName);
    if (!sidecar.ok)
        result.sidecarWarning =
            "File saved, but not its colours: " + Sidecar(fileName) + ": " + sidecar.error;
    return result;
}

bool SourceFile::ChangedOnDisk() const {
    if (!stamp_)
        return false; // never read from or written to disk here
    const std::optional<FileStamp> now = StampOfFile(fileName_);
    return now && *now != *stamp_;
}

bool SourceFile::ChangedSinceAsked() const {
    return ChangedOnDisk() && StampOfFile(fileName_) != kept_;
}

void SourceFile::KeepOutsideChange() {
    kept_ = StampOfFile(fileName_);
}

} // namespace orvelt
