#include "widgets/Splash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace orvelt {

TSplashForm::TSplashForm(int steps)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("SplashForm");
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel("<h1>Orvelt 95</h1>", this);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    for (const char* text : {"2.01", "The ultimate TeX-Editor for Windows 95!", "Loading..."}) {
        auto* label = new QLabel(text, this);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    bar_ = new QProgressBar(this);
    bar_->setRange(0, steps);
    bar_->setValue(1);
    layout->addWidget(bar_);
    resize(360, 200);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TSplashForm::Step() {
    bar_->setValue(bar_->value() + 1);
    repaint();
}

} // namespace orvelt
