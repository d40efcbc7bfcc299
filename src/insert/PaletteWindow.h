#pragma once

#include <QIcon>
#include <QPoint>
#include <QWidget>

class QFrame;
class QLabel;
class QToolButton;

namespace orvelt {

// What every palette and the command list share: a small frameless tool window above the main
// window, with a title bar to drag it by, a stick button that keeps it open after an
// insertion, a button that rolls it up to its title bar, and a close button. It is created
// hidden and only ever hidden again; showing it resets it.
class TPaletteWindow : public QWidget {
    Q_OBJECT
public:
    // `takesFocus`: the command list's box takes the keyboard; the symbol and font palettes
    // never do, so that the caret stays in the text while they are used.
    TPaletteWindow(const QString& title, bool takesFocus, QWidget* parent);

    // Shows the window with its top-left corner at the button's bottom-left, on the screen.
    void OpenBelow(const QWidget* button);
    // Inserts the control's hint; closes unless the stick button is down.
    void SpeedButton1Click(const QWidget* control);
    void InsertAndClose(const QString& text);
    void BtnUpDownClick();
    void BtnCloseClick() { close(); }

    QFrame* Panel2;
    QWidget* Panel1;
    QLabel* Caption;
    QToolButton* BtnStick;
    QToolButton* BtnUpDown;
    QToolButton* BtnClose;
    const QIcon Image1; // BtnUpDown's picture while expanded
    const QIcon Image2; // and while rolled up

    static constexpr int kTitleHeight = 20;

signals:
    // The text to go in place of the active source window's selection.
    void InsertRequested(const QString& text);

protected:
    // The height with everything shown.
    [[nodiscard]] virtual int FullHeight() const = 0;
    // Called when shown, after the title bar's reset.
    virtual void FormShow() {}
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Panel1MouseDown(QMouseEvent* event);
    void Panel1MouseMove(QMouseEvent* event);

    QPoint pressedAt_; // in title-bar coordinates
};

} // namespace orvelt
