#include "insert/PaletteWindow.h"

#include "platform/Screens.h"
#include "widgets/ToolIcons.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QWindow>
#include <algorithm>

namespace orvelt {

TPaletteWindow::TPaletteWindow(const QString& title, bool takesFocus, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint |
                          (takesFocus ? Qt::Widget : Qt::WindowDoesNotAcceptFocus)),
      Panel2(new QFrame(this)), Panel1(new QWidget(Panel2)), Caption(new QLabel(title, Panel1)),
      BtnStick(new QToolButton(Panel1)), BtnUpDown(new QToolButton(Panel1)),
      BtnClose(new QToolButton(Panel1)), Image1(ToolIcon("Image1")), Image2(ToolIcon("Image2")) {
    if (!takesFocus)
        setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(title);
    Panel2->setObjectName("Panel2");
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setLineWidth(1);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(1, 1, 0, kTitleHeight);
    Panel1->setAutoFillBackground(true);
    // The colours of an active window's caption.
    QPalette caption = Panel1->palette();
    caption.setColor(QPalette::Window, palette().color(QPalette::Active, QPalette::Highlight));
    caption.setColor(QPalette::WindowText,
                     palette().color(QPalette::Active, QPalette::HighlightedText));
    Panel1->setPalette(caption);
    Panel1->installEventFilter(this);
    // Small enough for "Rel Ops" beside the three buttons of a 100-pixel palette.
    QFont bold = Caption->font();
    bold.setPixelSize(11);
    bold.setBold(true);
    Caption->setFont(bold);
    Caption->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(3, 3, 1, 3);
    row->setSpacing(0);
    row->addWidget(Caption, 1);
    const struct {
        QToolButton* button;
        const char* name;
        const char* hint;
    } buttons[] = {{BtnStick, "BtnStick", "Stay on top"},
                   {BtnUpDown, "BtnUpDown", ""},
                   {BtnClose, "BtnClose", "Close"}};
    for (const auto& [button, name, hint] : buttons) {
        button->setObjectName(name);
        button->setFixedSize(14, 14);
        button->setIconSize(QSize(10, 10));
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(hint);
        button->setStatusTip(hint);
        row->addWidget(button);
    }
    BtnStick->setIcon(ToolIcon("BtnStick"));
    BtnStick->setCheckable(true);
    BtnStick->setAutoRaise(true);
    BtnUpDown->setIcon(Image1);
    BtnClose->setIcon(ToolIcon("BtnClose"));
    connect(BtnUpDown, &QToolButton::clicked, this, &TPaletteWindow::BtnUpDownClick);
    connect(BtnClose, &QToolButton::clicked, this, &TPaletteWindow::BtnCloseClick);
}

void TPaletteWindow::OpenBelow(const QWidget* button) {
    QPoint at = button->mapToGlobal(QPoint(0, button->height()));
    const QRect screen = AvailableScreenArea(at);
    if (!screen.isEmpty()) {
        at.setX(std::max(screen.left(), std::min(at.x(), screen.right() + 1 - width())));
        at.setY(std::max(screen.top(), std::min(at.y(), screen.bottom() + 1 - FullHeight())));
    }
    move(at);
    show();
    raise();
    if (!testAttribute(Qt::WA_ShowWithoutActivating))
        activateWindow();
}

void TPaletteWindow::SpeedButton1Click(const QWidget* control) {
    InsertAndClose(control->toolTip());
}

void TPaletteWindow::InsertAndClose(const QString& text) {
    emit InsertRequested(text);
    if (!BtnStick->isChecked())
        close();
}

void TPaletteWindow::BtnUpDownClick() {
    const bool collapse = height() > 50;
    const int to = collapse ? kTitleHeight + 4 : FullHeight();
    setFixedHeight(to);
    Panel2->setFixedHeight(to);
    BtnUpDown->setIcon(collapse ? Image2 : Image1);
}

void TPaletteWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return; // the window system showing it again changes nothing
    setFixedHeight(FullHeight());
    Panel2->setFixedSize(width(), FullHeight());
    Panel1->setFixedWidth(width() - 2);
    BtnUpDown->setIcon(Image1);
    BtnStick->setChecked(false);
    FormShow();
}

bool TPaletteWindow::event(QEvent* event) {
    // A hint stops at its own window: the main window's status bar shows it as every hint.
    if (event->type() == QEvent::StatusTip && parentWidget()) {
        QCoreApplication::sendEvent(parentWidget(), event);
        return true;
    }
    return QWidget::event(event);
}

bool TPaletteWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel1) {
        if (event->type() == QEvent::MouseButtonPress)
            Panel1MouseDown(static_cast<QMouseEvent*>(event));
        else if (event->type() == QEvent::MouseMove)
            Panel1MouseMove(static_cast<QMouseEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

void TPaletteWindow::Panel1MouseDown(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    pressedAt_ = event->position().toPoint();
    // Wayland lets no program place its windows: the compositor moves it instead.
    if (QGuiApplication::platformName() == QLatin1String("wayland") && windowHandle())
        windowHandle()->startSystemMove();
}

void TPaletteWindow::Panel1MouseMove(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    move(pos() + event->position().toPoint() - pressedAt_);
}

} // namespace orvelt
