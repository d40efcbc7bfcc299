#include "editor/SourceContextMenu.h"

#include "editor/MyRich.h"
#include "editor/files/RtfCodec.h"
#include "platform/FileIo.h"
#include "platform/Prompter.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>

namespace orvelt {

SourceContextMenu::SourceContextMenu(TMyRichEdit& surface, Prompter& prompter, QWidget* window)
    : QObject(window), surface_(surface), prompter_(prompter), window_(window),
      menu_(new QMenu(window)), snippets_(menu_->addMenu("Shortcuts")) {
    surface_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&surface_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(surface_.mapToGlobal(at)); });
}

void SourceContextMenu::Fill(const std::vector<SnippetKey>& snippets) {
    for (QAction* item : snippets_->actions())
        window_->removeAction(item);
    snippets_->clear();
    for (const SnippetKey& snippet : snippets) {
        const QString file = QString::fromStdString(snippet.file);
        QAction* item = snippets_->addAction(NamePartOf(file));
        item->setStatusTip(file);
        item->setShortcut(
            QKeySequence::fromString(QString::fromStdString(WriteKeyValue(snippet.key))));
        item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(item, &QAction::triggered, this, [this, file] { InsertSnippet(file); });
        window_->addAction(item); // so that its key works while the window has the focus
    }
}

void SourceContextMenu::InsertSnippet(const QString& snippetFile) {
    if (snippetFile.isEmpty())
        return;
    const QString sidecar = snippetFile + ".orv";
    std::string bytes;
    RtfReadResult rtf;
    if (ReadFileBytes(sidecar, bytes).ok)
        rtf = ReadRtf(bytes);
    if (!rtf.ok) {
        prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                          "Error opening file: " + sidecar + ".");
        return;
    }
    // The snippet passes through the clipboard, as it always has: it stays there afterwards.
    QString plain;
    for (const StyledRun& run : rtf.runs)
        plain += QString::fromStdU16String(run.text);
    QApplication::clipboard()->setText(plain);
    surface_.InsertRuns(rtf.runs);
    emit Inserted();
}

} // namespace orvelt
