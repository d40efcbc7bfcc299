#include "MainFormFixture.h"

#include <QDialog>
#include <QKeyEvent>

namespace orvelt::testing {

DialogActor::DialogActor() {
    QApplication::instance()->installEventFilter(this);
}

DialogActor::~DialogActor() {
    QApplication::instance()->removeEventFilter(this);
}

void DialogActor::Expect(const QString& objectName, std::function<void(QDialog&)> act) {
    watched_.insert(objectName);
    acts_.emplace_back(objectName, std::move(act));
}

bool DialogActor::eventFilter(QObject* watched, QEvent* event) {
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (event->type() != QEvent::Show || !dialog || !watched_.contains(dialog->objectName()))
        return false;
    std::function<void(QDialog&)> act;
    if (!acts_.empty() && acts_.front().first == dialog->objectName()) {
        act = std::move(acts_.front().second);
        acts_.pop_front();
    } else {
        ADD_FAILURE() << "unexpected dialog " << dialog->objectName().toStdString();
    }
    // Queued: the dialog's own loop runs it, once the dialog is up.
    QMetaObject::invokeMethod(
        dialog,
        [dialog, act] {
            if (act)
                act(*dialog);
            if (dialog->isVisible()) {
                if (act)
                    ADD_FAILURE() << dialog->objectName().toStdString() << " was left open";
                dialog->reject();
            }
        },
        Qt::QueuedConnection);
    return false;
}

void MainFormFixture::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    QDir(dir_.path()).mkpath("prog/Template");
    QDir(dir_.path()).mkpath("prog/Shortcut");
    WriteBytes(File("prog/KEYWORDS.TXT"), {}); // an unreadable keyword list is warned about
    store_.Write("Path", (dir_.path() + "/prog").toStdString());
    // Recovery copies go to the test's own folder, never the user's.
    qputenv("XDG_STATE_HOME", QFile::encodeName(dir_.path() + "/state"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir_.path() + "/data"));
    QLocale::setDefault(QLocale::c());
}

void MainFormFixture::TearDown() {
    form_.reset();
    EXPECT_TRUE(prompter_.Exhausted()) << "scripted answers were left unused";
    EXPECT_TRUE(dialogs_.Exhausted()) << "a dialog expected was never shown";
}

TMainForm& MainFormFixture::StartForm(const QStringList& arguments) {
    form_.reset();
    form_ = std::make_unique<TMainForm>(
        TMainForm::Environment{store_, prompter_, arguments, dir_.path() + "/prog", &help_,
                               realPrograms_ ? nullptr : &launcher_});
    form_->resize(900, 700);
    form_->show();
    form_->FirstActivate();
    QApplication::processEvents();
    return *form_;
}

void MainFormFixture::StartNew() {
    StartForm();
    Trigger("FileNewItem");
}

bool MainFormFixture::CloseForm() {
    bool closed = form_->close();
    if (closed)
        form_->WriteEndOfRunSettings();
    return closed;
}

void MainFormFixture::Trigger(const char* actionName) {
    QAction* action = form_->Action(actionName);
    ASSERT_NE(action, nullptr) << actionName;
    ASSERT_TRUE(action->isEnabled()) << actionName << " is disabled";
    action->trigger();
    QApplication::processEvents();
}

void MainFormFixture::Type(const QString& text) {
    ASSERT_NE(Active(), nullptr);
    TypeInto(Active()->MainEdit, text);
}

void MainFormFixture::TypeInto(QWidget* widget, const QString& text) {
    // QTest only knows ASCII keys; other characters arrive as the text of an unknown key.
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void MainFormFixture::Key(int key, Qt::KeyboardModifiers modifiers) {
    ASSERT_NE(Active(), nullptr);
    KeyInto(Active()->MainEdit, key, modifiers);
}

void MainFormFixture::KeyInto(QWidget* widget, int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(widget, static_cast<Qt::Key>(key), modifiers);
}

void MainFormFixture::Paste(const QString& text) {
    QApplication::clipboard()->setText(text);
    Trigger("EditPasteItem");
}

void MainFormFixture::Open(const QString& name, const std::string& bytes) {
    WriteBytes(File(name), bytes);
    form_->OpenDocument(File(name));
}

void MainFormFixture::SaveAs(const QString& name) {
    prompter_.ExpectSaveFile(File(name));
    Trigger("FileSaveItem");
}

void MainFormFixture::SaveUnchanged() {
    Key(Qt::Key_Space);
    Key(Qt::Key_Backspace);
    Trigger("FileSaveItem");
}

void MainFormFixture::ShowTab(int index) {
    form_->TabControl()->setCurrentIndex(index);
    QApplication::processEvents();
}

HighlightStyle MainFormFixture::StyleAt(int p) const {
    QTextCursor cursor(Edit()->document());
    cursor.setPosition(p + 1);
    return StyleOfFormat(cursor.charFormat());
}

QString MainFormFixture::Kinds() const {
    static const char kLetters[] = {'t', 'c', 'K', 'u', 'b', 'k', 'm'};
    QString out;
    for (QTextBlock b = Edit()->document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const HighlightStyle style = StyleOfFormat(it.fragment().charFormat());
            char letter = '?';
            for (int k = 0; k < kStyleKindCount; ++k)
                if (Style(static_cast<StyleKind>(k)) == style)
                    letter = kLetters[k];
            out += QString(it.fragment().length(), QChar(letter));
        }
        if (b.next().isValid())
            out += '\n';
    }
    return out;
}

void MainFormFixture::WriteBytes(const QString& path, const std::string& bytes) const {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string MainFormFixture::ReadBytes(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    QByteArray data = file.readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

void MainFormFixture::SetFileTime(const QString& path, int hour, int minute) const {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QDateTime when(QDate(2026, 3, 2), QTime(hour, minute, 0));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace orvelt::testing
