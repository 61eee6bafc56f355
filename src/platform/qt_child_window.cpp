#include "platform/qt_child_window.h"

#include <QEvent>
#include <QTimer>

namespace brackmoor {

ChildWindow::ChildWindow(const char* objectName, const char* caption, QWidget* parent)
    : QMdiSubWindow(parent) {
    setObjectName(objectName);
    caption_ = caption;
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);
}

void ChildWindow::showEvent(QShowEvent* event) {
    if (windowTitle().isEmpty())
        setWindowTitle(caption_);
    QMdiSubWindow::showEvent(event);
}

void ChildWindow::changeEvent(QEvent* event) {
    QMdiSubWindow::changeEvent(event);
    // The normal state is put back once the sub-window has finished its own handling of the
    // change.
    if (event->type() == QEvent::WindowStateChange && isMaximized() && !leavingMaximised_) {
        leavingMaximised_ = true;
        QTimer::singleShot(0, this, [this] {
            showNormal();
            leavingMaximised_ = false;
        });
    }
}

}  // namespace brackmoor
