// Does one write as the user that started it and prints the outcome: the file tests run it as
// an unprivileged user, since root may write anything.
//   file_io_helper write PATH TEXT   prints "ok" or the error
//   file_io_helper commit INI        prints "ok" or the remembered file and reason, one a line
#include "platform/FileIo.h"
#include "platform/IniSettingsStore.h"

#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    std::string outcome;
    if (mode == "write" && argc == 4) {
        const orvelt::FileResult result =
            orvelt::WriteFileAtomically(QString::fromLocal8Bit(argv[2]), argv[3]);
        outcome = result.ok ? "ok" : result.error.toStdString();
    } else if (mode == "commit" && argc == 3) {
        orvelt::IniSettingsStore store(QString::fromLocal8Bit(argv[2]));
        store.Write("Left", "1");
        store.Commit();
        const auto& error = store.LastCommitError();
        outcome = error ? error->fileName.toStdString() + "\n" + error->reason.toStdString() : "ok";
    } else {
        return 2;
    }
    std::fputs(outcome.c_str(), stdout);
    return 0;
}
