#include "platform/qt_item_views.h"

#include <QAbstractItemView>
#include <QMouseEvent>

namespace brackmoor {

namespace {

class LeftButtonOnly : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
                return static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
            default:
                return QObject::eventFilter(watched, event);
        }
    }
};

}  // namespace

void KeepToLeftButton(QAbstractItemView* view) {
    view->viewport()->installEventFilter(new LeftButtonOnly(view));
}

}  // namespace brackmoor
