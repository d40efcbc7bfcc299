#pragma once

#include "toolchain/log/LogParser.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QListView;
class QModelIndex;
class QPushButton;
class QStackedWidget;
class QStringListModel;
class QTabWidget;

namespace orvelt {

// TErrorView: the errors and warnings of the last TeX log, each with its line number; a
// double-click (or Enter) on one asks to jump there. A tool window over the main window, made
// once and kept; OK hides it.
class TErrorView : public QWidget {
    Q_OBJECT
public:
    // An entry shows at most this much of its log line.
    static constexpr int kShownLength = 1000;

    explicit TErrorView(QWidget* parent);

    // Replaces the lists; each entry's bytes are read as a source's are (UTF-8 when valid).
    void Fill(const LogFindings& findings);
    // Shows the window, each page its list or, when empty, its "No ..." label.
    void FormShow();

    QTabWidget* Pages;
    QListView* Errors;
    QListView* Warnings;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* Button1;
    // The line digits of each entry, pairwise with the lists.
    QStringList ErrorLines;
    QStringList WarnLines;

signals:
    // An entry was chosen: its line number's digits.
    void Jump(const QString& digits);

private:
    QStackedWidget* Page(QListView* list, QLabel* label);

    QStringListModel* errorModel_;
    QStringListModel* warningModel_;
    QStackedWidget* errorPage_;
    QStackedWidget* warningPage_;
    bool placed_ = false;
};

} // namespace orvelt
