#pragma once

#include <QWidget>

class QProgressBar;

namespace orvelt {

// Shown while the windows are made: name, version and a bar that advances one step each.
class TSplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm(int steps);
    void Step();

private:
    QProgressBar* bar_;
};

} // namespace orvelt
