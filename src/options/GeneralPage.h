#pragma once

#include <QWidget>

class QCheckBox;
class QSpinBox;

namespace orvelt {

class OptionHolder;

// The options dialog's "General" page. Every control writes its option when it changes.
class GeneralPage : public QWidget {
    Q_OBJECT
public:
    GeneralPage(OptionHolder& options, QWidget* parent);

    QCheckBox* CheckASCII;
    QCheckBox* CheckConvert;
    QCheckBox* CheckBar;
    QCheckBox* CheckBIB;
    QCheckBox* CheckAutoSave;
    QSpinBox* EditAutoSave;
    QCheckBox* CheckSpecials;
    QSpinBox* EditSpecials;
    QCheckBox* CheckFilter;

signals:
    // "Show Buttonbar." acts at once.
    void ButtonbarChanged();

private:
    OptionHolder& options_;
};

} // namespace orvelt
