#pragma once

#include <QString>

namespace orvelt {

// Shows the program's help: its contents, a topic by number, or the index entry nearest a word.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void ShowContents() = 0;
    virtual void ShowTopic(int topic) = 0;
    virtual void ShowNearest(const QString& word) = 0;
};

// Until the help files are written there is nothing to show: F1 does nothing.
class NoHelpViewer : public HelpViewer {
public:
    void ShowContents() override {}
    void ShowTopic(int) override {}
    void ShowNearest(const QString&) override {}
};

} // namespace orvelt
