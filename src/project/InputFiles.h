#pragma once

#include "insert/PaletteWindow.h"

#include <QStringList>
#include <functional>

class QListWidget;
class QPushButton;

namespace orvelt {

class EscapePoller;
class Prompter;
class TMDIChild;

// TinputFiles: the files the active source window reads with \input and \include, listed in a
// small window below the tool bar; a double-click opens one. Made once with the main window,
// only hidden when closed.
class TinputFiles : public TPaletteWindow {
    Q_OBJECT
public:
    struct Services {
        Prompter& prompter;
        EscapePoller& escape;
        std::function<TMDIChild*()> activeSource;
        std::function<QString()> mainFile;                 // the project's, or empty
        std::function<bool(const QString&)> openDocument;  // raises a window that holds it
        std::function<void(int done, int total)> progress; // the status bar's percentage
    };
    TinputFiles(Services services, QWidget* parent);

    // Scans the active source window, block by block; with a button, the window opens below
    // it. Button1 stops the scan before the next line; the names found so far stay.
    void BtnInputsClick(const QWidget* sender);
    // Stop, once the scan is over, only turns back into Refresh; Refresh scans again.
    void Button1Click();
    // Opens the selected entry's file; closes unless stuck.
    void SpeedButton1Click();

    QListWidget* ListFiles;
    QStringList ListPaths; // each entry of ListFiles as written in the source
    QPushButton* Button1;

protected:
    [[nodiscard]] int FullHeight() const override;

private:
    Services services_;
    QString scannedDirectory_; // of the document scanned last; empty when it was untitled
};

} // namespace orvelt
