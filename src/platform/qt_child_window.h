#pragma once

#include <QMdiSubWindow>

namespace brackmoor {

// A child window of the main window. The three of them stand side by side and are never shown
// maximised: a maximise (by double-clicking the title, say) is undone at once.
class ChildWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    ChildWindow(const char* objectName, const char* caption, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool leavingMaximised_ = false;
    QString caption_;
};

}  // namespace brackmoor
