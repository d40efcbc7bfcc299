#include "MainFormFixture.h"
#include "editor/files/RtfCodec.h"

#include <QProcess>
#include <QStandardPaths>

namespace orvelt::testing {
namespace {

const QString kShipped = QStringLiteral(ORVELT_DATA_DIR);

// The templates and snippets installed with the program, as a new user meets them.
class ShippedFiles : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        // The shipped sidecars tell TeX commands from user commands by this list.
        WriteBytes(File("prog/KEYWORDS.TXT"), ReadBytes(kShipped + "/KEYWORDS.TXT"));
    }

    static QStringList Sources(const QString& folder) {
        return QDir(kShipped + "/" + folder).entryList({"*.tex"}, QDir::Files, QDir::Name);
    }
};

// A new user's first document must typeset: the article template needed lmodern.sty and the
// beamer template beamer.cls, which the set-up did not install.
TEST_F(ShippedFiles, EveryTemplateTypesetsOnceSaved) {
    if (QStandardPaths::findExecutable("pdflatex").isEmpty())
        GTEST_SKIP() << "pdflatex not installed";
    const QStringList templates = Sources("Template");
    ASSERT_FALSE(templates.isEmpty());
    StartForm();
    for (const QString& name : templates) {
        SCOPED_TRACE(name.toStdString());
        for (const QString& file : {name, name + ".orv"})
            QFile::copy(kShipped + "/Template/" + file, File("prog/Template/" + file));
        prompter_.ExpectOpenFile(File("prog/Template/" + name));
        Trigger("FileNewTemplateItem");
        prompter_.ExpectSaveFile(File(name));
        Trigger("FileSaveAsItem");
        ASSERT_EQ(ReadBytes(File(name)), ReadBytes(kShipped + "/Template/" + name));

        QProcess tex;
        tex.setWorkingDirectory(dir_.path());
        tex.start("pdflatex", {"-interaction=nonstopmode", "-halt-on-error", name});
        ASSERT_TRUE(tex.waitForFinished(120000));
        EXPECT_EQ(tex.exitCode(), 0) << tex.readAllStandardOutput().toStdString();
    }
}

// A sidecar is used only while it holds its source's text, and it fixes the colours shown
// (a snippet is inserted from it alone): a template edited without its sidecar, or a change
// of the default colours, left the shipped files showing stale or unreadable colours.
TEST_F(ShippedFiles, EverySidecarHoldsItsTextInTheDefaultColours) {
    StartForm();
    for (const char* folder : {"Template", "Shortcut"}) {
        for (const QString& name : Sources(folder)) {
            const QString shipped = kShipped + "/" + folder + "/" + name;
            SCOPED_TRACE(shipped.toStdString());
            const RtfReadResult sidecar = ReadRtf(ReadBytes(shipped + ".orv"));
            ASSERT_TRUE(sidecar.ok) << sidecar.error;
            std::u16string held;
            for (const StyledRun& run : sidecar.runs)
                held += run.text;
            EXPECT_EQ(QString::fromStdU16String(held).toStdString(), ReadBytes(shipped));

            QFile::copy(shipped, File(name));
            QFile::copy(shipped + ".orv", File(name + ".orv"));
            form_->OpenDocument(File(name));
            const QString shown = Kinds();
            EXPECT_FALSE(shown.contains('?')) << shown.toStdString();
            CloseActive();
            QFile::remove(File(name + ".orv"));
            form_->OpenDocument(File(name));
            EXPECT_EQ(shown, Kinds()) << "the sidecar's colours are the import's";
            CloseActive();
        }
    }
}

} // namespace
} // namespace orvelt::testing
