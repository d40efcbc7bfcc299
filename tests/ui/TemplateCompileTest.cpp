#include "MainFormFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace orvelt::testing {
namespace {

const QString kShipped = QStringLiteral(ORVELT_DATA_DIR);

// The templates and snippets installed with the program, as a new user meets them.
class ShippedFiles : public MainFormFixture {
protected:
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

} // namespace
} // namespace orvelt::testing
