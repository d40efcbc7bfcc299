#include "options/EditorPage.h"

#include "options/OptionHints.h"
#include "options/OptionHolder.h"
#include "platform/Prompter.h"
#include "platform/StyleFormat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace orvelt {

namespace {

struct Category {
    const char* entry;
    StyleKind kind;
};
constexpr Category kCategories[] = {
    {"text", StyleKind::Text},
    {"comments", StyleKind::Comment},
    {"TeX-commands", StyleKind::TexCommand},
    {"user-commands", StyleKind::UserCommand},
    {"braces", StyleKind::Brace},
    {"brackets", StyleKind::Bracket},
    {"mathematics", StyleKind::Math},
};

const QString kRule = "% " + QString(59, '-');
const QStringList kSampleLines = {"\\documentclass[a4,12pt]{article}",
                                  "",
                                  kRule,
                                  "% My first TeX-File",
                                  kRule,
                                  "",
                                  "\\begin{document}",
                                  "\\myheader",
                                  "I like Orvelt $95$!",
                                  "\\end{document}"};

// The sample's own categories: its commands are TeX's but for \myheader, whatever the keyword
// list holds.
StyleKind KindInSample(const QString& line, int at, int& length) {
    const QChar c = line[at];
    length = 1;
    if (c == '%') {
        length = int(line.size()) - at;
        return StyleKind::Comment;
    }
    if (c == '\\') {
        while (at + length < line.size() && line[at + length].isLetter())
            ++length;
        return line.mid(at, length) == "\\myheader" ? StyleKind::UserCommand
                                                    : StyleKind::TexCommand;
    }
    if (c == '{' || c == '}')
        return StyleKind::Brace;
    if (c == '[' || c == ']')
        return StyleKind::Bracket;
    if (c == '$')
        return StyleKind::Math;
    while (at + length < line.size() && !QStringLiteral("%\\{}[]$").contains(line[at + length]))
        ++length;
    return StyleKind::Text;
}

} // namespace

EditorPage::EditorPage(OptionHolder& options, Prompter& prompter, QWidget* parent)
    : QWidget(parent), options_(options), prompter_(prompter) {
    Categories = new QListWidget(this);
    Categories->setObjectName("Categories");
    for (const Category& category : kCategories)
        Categories->addItem(category.entry);
    Categories->setCurrentRow(0);
    SetHint(Categories, "Doubleclick on an entry to change its settings.", 131);

    Sample = new QPlainTextEdit(this);
    Sample->setObjectName("Sample");
    Sample->setReadOnly(true);
    Sample->setLineWrapMode(QPlainTextEdit::NoWrap);
    Sample->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Sample->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Sample->setPlainText(kSampleLines.join('\n'));
    Sample->viewport()->installEventFilter(this);
    SetHint(Sample, "Doubleclick to change background.");

    CheckBrace = new QCheckBox("Show corresponding brace", this);
    CheckBrace->setObjectName("CheckBrace");
    SetHint(CheckBrace, "Enable/disable the jump to the corresponding '{', if you press '}'.", 132);
    EditDelay = new QLineEdit(this);
    EditDelay->setObjectName("EditDelay");
    SetHint(EditDelay, "How long should I stay at the corresponding brace?", 132);

    WordWrapMode = new QComboBox(this);
    WordWrapMode->setObjectName("WordWrapMode");
    // In the order of the modes' numbers.
    WordWrapMode->addItems({"off", "saved line breaks (%%@)", "on screen only"});
    SetHint(WordWrapMode,
            "On screen only: the file keeps its lines. Saved line breaks: each screen line is "
            "saved as a line, so TeX's line numbers match the screen.",
            133);
    CheckLineNumbers = new QCheckBox("Line numbers", this);
    CheckLineNumbers->setObjectName("CheckLineNumbers");
    SetHint(CheckLineNumbers, "Show the line numbers beside the text.");

    auto* grid = new QGridLayout(this);
    grid->addWidget(Categories, 0, 0, 4, 1);
    grid->addWidget(CheckBrace, 0, 1, 1, 3);
    grid->addWidget(new QLabel("Delay", this), 1, 1);
    grid->addWidget(EditDelay, 1, 2);
    grid->addWidget(new QLabel("ms", this), 1, 3);
    grid->addWidget(new QLabel("Automatic word wrap", this), 2, 1);
    grid->addWidget(WordWrapMode, 2, 2, 1, 2);
    grid->addWidget(CheckLineNumbers, 3, 1, 1, 3);
    grid->addWidget(Sample, 4, 0, 1, 4);
    grid->setColumnStretch(4, 1);

    connect(Categories, &QListWidget::itemDoubleClicked, this, &EditorPage::ChangeCategory);
    connect(CheckBrace, &QCheckBox::toggled, this, [this](bool on) {
        options_.Values().braces = on;
        EditDelay->setEnabled(on);
    });
    // Digits only, at most four, typed or pasted.
    connect(EditDelay, &QLineEdit::textEdited, this, [this](const QString& text) {
        QString digits;
        for (QChar c : text)
            if (c >= '0' && c <= '9' && digits.size() < 4)
                digits += c;
        if (digits != text) {
            const int at = EditDelay->cursorPosition() - int(text.size() - digits.size());
            EditDelay->setText(digits);
            EditDelay->setCursorPosition(std::max(0, at));
        }
        options_.Values().braceDelay = digits.isEmpty() ? "0" : digits.toStdString();
    });
    connect(WordWrapMode, &QComboBox::activated, this, [this](int mode) {
        options_.Values().wordWrap = static_cast<WrapMode>(mode);
        emit options_.Changed();
    });
    connect(CheckLineNumbers, &QCheckBox::toggled, this, [this](bool on) {
        options_.Values().lineNumbers = on;
        emit options_.Changed();
    });

    const OptionValues& o = options_.Values();
    WordWrapMode->setCurrentIndex(static_cast<int>(o.wordWrap));
    CheckLineNumbers->setChecked(o.lineNumbers);
    Activate();
}

void EditorPage::Activate() {
    OptionValues& o = options_.Values();
    ReadStyleOptions(options_.Store(), o);
    CheckBrace->setChecked(o.braces);
    EditDelay->setText(QString::fromStdString(o.braceDelay));
    EditDelay->setEnabled(o.braces);
    ColourSample();
}

bool EditorPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Sample->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        ChangeBackground();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void EditorPage::ChangeCategory() {
    const int row = Categories->currentRow();
    if (row < 0)
        return;
    HighlightStyle& style = options_.Values().styles[static_cast<int>(kCategories[row].kind)];
    if (auto chosen = prompter_.ChooseFont(style)) {
        style = *chosen;
        ColourSample();
    }
}

void EditorPage::ChangeBackground() {
    if (auto chosen = prompter_.ChooseColor(options_.Values().background)) {
        options_.Values().background = *chosen;
        ColourSample();
    }
}

void EditorPage::ColourSample() {
    const OptionValues& o = options_.Values();
    QPalette palette = Sample->palette();
    palette.setColor(QPalette::Base, ColorOfValue(o.background));
    Sample->setPalette(palette);
    QTextCursor cursor(Sample->document());
    for (QTextBlock block = Sample->document()->begin(); block.isValid(); block = block.next()) {
        const QString line = block.text();
        for (int at = 0, length = 0; at < line.size(); at += length) {
            const StyleKind kind = KindInSample(line, at, length);
            cursor.setPosition(block.position() + at);
            cursor.setPosition(block.position() + at + length, QTextCursor::KeepAnchor);
            cursor.setCharFormat(FormatOfStyle(StyleFor(o.styles, kind)));
        }
    }
    Sample->setTextCursor(QTextCursor(Sample->document())); // no selection
}

} // namespace orvelt
