#pragma once

#include <QDialog>

namespace orvelt {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

} // namespace orvelt
