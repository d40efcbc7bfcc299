#pragma once

#include <QWidget>

namespace orvelt {

class TMyRichEdit;

// The line numbers beside the text: the file's lines, or the screen lines in saved-breaks mode.
class LineGutter : public QWidget {
    Q_OBJECT
public:
    explicit LineGutter(TMyRichEdit& surface);
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TMyRichEdit& surface_;
};

} // namespace orvelt
