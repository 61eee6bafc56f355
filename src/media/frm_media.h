#pragma once

#include <QMdiSubWindow>

class QComboBox;

namespace brackmoor {

// The "Media" child window: the current game's screenshot, capture, options and note.
class FrmMedia : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit FrmMedia(QWidget* parent = nullptr);

    // The choice lists that start-up fills from the launcher settings.
    QComboBox* cmbConfigToUse() const { return cmbConfigToUse_; }
    QComboBox* cmbWBUse() const { return cmbWBUse_; }

private:
    void buildControls();

    QComboBox* cmbConfigToUse_ = nullptr;
    QComboBox* cmbWBUse_ = nullptr;
};

}  // namespace brackmoor
