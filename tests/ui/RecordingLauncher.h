#pragma once

#include "platform/Launcher.h"

#include <deque>

namespace orvelt::testing {

// Keeps every program the editor would start and answers from a script (started, by default).
class RecordingLauncher : public Launcher {
public:
    struct Call {
        QString program;
        QStringList arguments;
        QString directory;
    };
    LaunchResult Start(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override {
        calls.append({program, arguments, workingDirectory});
        if (answers.empty())
            return {LaunchResult::Outcome::Started, 4242, {}};
        LaunchResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QList<Call> calls;
    std::deque<LaunchResult> answers;
};

} // namespace orvelt::testing
