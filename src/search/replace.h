#pragma once

#include "core/ChildKind.h"
#include "search/find/TextSearch.h"

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace orvelt {

class ChildWindow;
class HelpViewer;
class Prompter;
class TBIBChild;
class TMDIChild;

// TReplaceDlg: the find and replace dialog. One for the whole run, hidden when closed, so its
// histories and options last as long as the program; it acts on whatever window is active when
// a button is pressed: a source window's text, or a bibliography window's cells.
class TReplaceDlg : public QDialog {
    Q_OBJECT
public:
    struct Services {
        Prompter& prompter;
        HelpViewer& help;
        std::function<ChildWindow*()> activeChild;
        std::function<void(int done, int total)> progress;
    };
    explicit TReplaceDlg(Services services, QWidget* parent = nullptr);

    QComboBox* Find;
    QComboBox* Replace;
    QCheckBox* CheckCase;
    QCheckBox* CheckWords;
    QPushButton* Button1; // Search
    QPushButton* Button2; // Replace
    QPushButton* Button4; // Replace all
    QPushButton* Button3; // Close

    // Edit, Find...: shows the dialog over the active window, replacing off until a search.
    void Find1Click();
    // Find again: the search of the dialog's text, the dialog left as it is.
    void Findagain1Click();
    void ReplaceDlgFind();
    void ReplaceDlgReplace();
    void ReplaceDlgReplaceAll();
    // Each combo's text first in its history, an equal one (whatever its case) dropped.
    void UpdateCombos();
    // The buttons follow the kind of the active window; none when no window is open.
    void FollowActiveWindow(std::optional<ChildKind> kind);
    [[nodiscard]] QString FindText() const;

signals:
    // The search text became empty, or stopped being empty: Find again follows.
    void FindTextEmptyChanged();
    // Closed (Close, Escape, or No at the end): the editor takes the focus back.
    void Closed();

public slots:
    void reject() override;

private:
    // Searches from the selection, asking at the end whether to go on from the beginning;
    // `replaceFirst` replaces a selection that is a match before each search.
    void SearchSource(TMDIChild& source, bool replaceFirst);
    void SearchBibliography(TBIBChild& bibliography);
    void ReplaceAllSource(TMDIChild& source);
    [[nodiscard]] bool AskContinueAtBeginning();
    [[nodiscard]] SearchOptions Options() const;
    // Opening and Find again: the progress from the selection, replacing off.
    void StartOfUse();
    void EnableReplacing(bool on);
    void ShowHelp();
    // Moves the dialog off a match it covers (global coordinates), below it or above.
    void KeepClearOf(const QRect& match);

    Prompter& prompter_;
    HelpViewer& help_;
    std::function<ChildWindow*()> activeChild_;
    std::function<void(int, int)> progress_;
    std::optional<ChildKind> activeKind_;
    bool replacing_ = false; // a search succeeded since the dialog was opened or Find again
    bool placed_ = false;    // centred once, then where the user leaves it
    bool findTextEmpty_ = true;
};

} // namespace orvelt
