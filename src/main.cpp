#include "app/Main.h"

#include "platform/IniSettingsStore.h"
#include "platform/QtPrompter.h"
#include "widgets/Splash.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// The data files beside an installed program, else those of the source tree it was built from.
QString DataDirectory() {
    QString installed = QCoreApplication::applicationDirPath() + "/../share/orvelt95";
    if (QFileInfo::exists(installed + "/KEYWORDS.TXT"))
        return QDir(installed).canonicalPath();
    return QStringLiteral(ORVELT_DATA_DIR);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvelt 95");
    orvelt::TSplashForm splash(3);
    splash.show();
    splash.repaint();

    orvelt::IniSettingsStore settings(orvelt::IniSettingsStore::DefaultFileName());
    orvelt::QtPrompter prompter;
    QStringList arguments = QApplication::arguments().mid(1);
    int result = 0;
    {
        orvelt::TMainForm form({settings, prompter, arguments, DataDirectory(), nullptr, nullptr,
                                [&splash] { splash.Step(); }});
        prompter.SetParent(&form);
        splash.Step();
        splash.close();
        form.show();
        result = QApplication::exec();
        form.WriteEndOfRunSettings();
    }
    return result;
}
