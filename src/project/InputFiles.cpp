#include "project/InputFiles.h"

#include "editor/Childwin.h"
#include "platform/EscapePoller.h"
#include "platform/Prompter.h"
#include "project/scan/InputNames.h"

#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>

namespace orvelt {

namespace {

constexpr int kWidth = 160;
constexpr int kListHeight = 120;

std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace

TinputFiles::TinputFiles(Services services, QWidget* parent)
    : TPaletteWindow(QStringLiteral("Inputs"), false, parent), ListFiles(new QListWidget(Panel2)),
      Button1(new QPushButton(QStringLiteral("Refresh"), Panel2)), services_(std::move(services)) {
    setObjectName("inputs");
    setFixedWidth(kWidth);
    ListFiles->setObjectName("ListFiles");
    ListFiles->setToolTip("Doubleclick to open file.");
    ListFiles->setStatusTip(ListFiles->toolTip());
    ListFiles->setUniformItemSizes(true);
    ListFiles->setGeometry(4, kTitleHeight + 4, kWidth - 8, kListHeight);
    Button1->setObjectName("Button1");
    Button1->setToolTip("Scan current document for inputs.");
    Button1->setStatusTip(Button1->toolTip());
    Button1->setFocusPolicy(Qt::NoFocus);
    Button1->resize(80, Button1->sizeHint().height());
    // In the middle of the band below the list.
    const int band = ListFiles->geometry().bottom() + 1;
    Button1->move((kWidth - Button1->width()) / 2,
                  band + (qRound(kTitleHeight * 2.5) - kTitleHeight - 4) / 2);
    connect(Button1, &QPushButton::clicked, this, &TinputFiles::Button1Click);
    connect(ListFiles, &QListWidget::itemDoubleClicked, this, &TinputFiles::SpeedButton1Click);
    setFixedHeight(FullHeight());
}

int TinputFiles::FullHeight() const {
    return qRound(kTitleHeight * 2.5) + ListFiles->height() + Button1->height();
}

void TinputFiles::BtnInputsClick(const QWidget* sender) {
    TMDIChild* source = services_.activeSource();
    if (!source)
        return; // Refresh over a bibliography window, or over none
    ListFiles->clear();
    ListPaths.clear();
    // Opening a name later goes by this document, whatever window is active then.
    scannedDirectory_ =
        source->FileName.isEmpty() ? QString() : QFileInfo(source->FileName).absolutePath();
    if (sender)
        OpenBelow(sender);
    else if (!isVisible())
        show();
    repaint();
    if (parentWidget())
        parentWidget()->activateWindow();
    Button1->setText(QStringLiteral("Stop"));

    // The document's blocks, not the surface's lines: a name broken by the wrap is one name.
    QTextDocument* doc = source->MainEdit->document();
    const int total = doc->blockCount() - 1;
    services_.escape.BeginOperation(Button1);
    bool stopped = false;
    int line = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next(), ++line) {
        if (services_.escape.StopPressed()) {
            stopped = true;
            break;
        }
        const QString text = block.text();
        for (const InputName& name : ScanInputLine(View(text))) {
            ListFiles->addItem(
                text.mid(static_cast<qsizetype>(name.shownStart),
                         static_cast<qsizetype>(name.start + name.length - name.shownStart)));
            ListPaths.append(
                text.mid(static_cast<qsizetype>(name.start), static_cast<qsizetype>(name.length)));
        }
        services_.progress(line, total);
    }
    services_.escape.EndOperation();
    source->ShowCaretRow(); // in place of the percentage
    if (!stopped)
        Button1->setText(QStringLiteral("Refresh"));
}

void TinputFiles::Button1Click() {
    if (Button1->text() != QLatin1String("Refresh")) {
        Button1->setText(QStringLiteral("Refresh"));
        return;
    }
    BtnInputsClick(nullptr);
}

void TinputFiles::SpeedButton1Click() {
    const int index = ListFiles->currentRow();
    if (index < 0 || index >= ListPaths.size() || !ListFiles->currentItem()->isSelected())
        return; // nothing chosen
    const QString mainFile = services_.mainFile();
    const InputFile file = ResolveInputName(
        ListPaths[index].toStdString(), scannedDirectory_.toStdString(),
        mainFile.isEmpty() ? std::string() : QFileInfo(mainFile).absolutePath().toStdString(),
        [](const std::string& path) { return QFileInfo(QString::fromStdString(path)).isFile(); });
    const QString path = QString::fromStdString(file.path);
    switch (file.kind) {
    case InputFile::Kind::Untitled:
        services_.prompter.Message(
            MessageKind::Error, MessageButtons::Ok,
            "Save the document first: its input files are found from its directory.");
        return;
    case InputFile::Kind::Missing:
        services_.prompter.Message(MessageKind::Error, MessageButtons::Ok,
                                   "File not found: " + path + ".");
        return;
    case InputFile::Kind::Found:
        break;
    }
    services_.openDocument(path);
    if (!BtnStick->isChecked())
        close();
}

} // namespace orvelt
