#include "toolchain/logmdi.h"

#include "core/CodePage.h"
#include "toolchain/log/LogParser.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace orvelt {

namespace {

// Breaks the lines a log writer never ended, so the view lays them out in pieces.
QString Shown(const QString& text, int longest) {
    QString shown;
    shown.reserve(text.size() + text.size() / longest);
    int run = 0;
    for (QChar c : text) {
        if (c == '\n') {
            run = 0;
        } else if (++run > longest) {
            shown += '\n';
            run = 1;
        }
        shown += c;
    }
    return shown;
}

} // namespace

TLogChild::TLogChild(QWidget* parent) : ChildWindow(parent), MainEdit(new QPlainTextEdit(this)) {
    setObjectName("LogChild");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MainEdit);
    MainEdit->setObjectName("MainEdit");
    MainEdit->setReadOnly(true);
    MainEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    MainEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MainEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MainEdit->setUndoRedoEnabled(false);
    QFont font;
    font.setFamilies({"Courier New", "monospace"});
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(13);
    MainEdit->setFont(font);
}

bool TLogChild::FormCreate(const QString& logName) {
    setWindowTitle(logName);
    QFile file(logName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.read(kShownLimit);
    if (file.error() != QFileDevice::NoError)
        return false;
    if (!file.atEnd()) {
        note_ = QStringLiteral("%1 is larger than %2 MB: only its beginning is shown.")
                    .arg(logName)
                    .arg(kShownLimit / (1024 * 1024));
        // A cut through a character must not make the whole log read as Windows-1252.
        int tail = 0;
        while (tail < 3 && tail < bytes.size() &&
               (static_cast<unsigned char>(bytes[bytes.size() - 1 - tail]) & 0xC0) == 0x80)
            ++tail;
        if (tail < bytes.size()) {
            const auto lead = static_cast<unsigned char>(bytes[bytes.size() - 1 - tail]);
            const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            if (length > 1 && tail + 1 < length)
                bytes.chop(tail + 1);
        }
    }
    // Decoded as a source is; a character TeX's wrap split keeps the log UTF-8.
    const std::string mended = MendWrappedCharacters(std::string_view(bytes.data(), bytes.size()));
    const std::u16string text = DecodeText(mended, DetectEncoding(mended, false));
    MainEdit->setPlainText(Shown(QString::fromStdU16String(text), kLongestShownLine));
    return true;
}

} // namespace orvelt
