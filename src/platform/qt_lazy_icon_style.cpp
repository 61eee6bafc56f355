#include "platform/qt_lazy_icon_style.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

namespace brackmoor {

namespace {

// Stands for one of the style's icons and reads it on its first use.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(const QStyle* style, QStyle::StandardPixmap icon)
        : style_(style), icon_(icon) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return real().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }
    bool isNull() override { return false; }

private:
    const QIcon& real() {
        if (!read_) {
            read_ = true;
            if (style_) {
                icon = style_->standardIcon(icon_);
            }
        }
        return icon;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap icon_;
    bool read_ = false;
    QIcon icon;
};

bool IsRarelyShown(QStyle::StandardPixmap icon) {
    switch (icon) {
        case QStyle::SP_TitleBarMenuButton:
        case QStyle::SP_TitleBarMinButton:
        case QStyle::SP_TitleBarMaxButton:
        case QStyle::SP_TitleBarCloseButton:
        case QStyle::SP_TitleBarNormalButton:
        case QStyle::SP_TitleBarShadeButton:
        case QStyle::SP_TitleBarUnshadeButton:
        case QStyle::SP_TitleBarContextHelpButton:
        case QStyle::SP_ToolBarHorizontalExtensionButton:  // the menu bar's, when it is too narrow
        case QStyle::SP_ToolBarVerticalExtensionButton:
            return true;
        default:
            return false;
    }
}

}  // namespace

QIcon LazyIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                  const QWidget* widget) const {
    if (option == nullptr && IsRarelyShown(icon)) {
        return QIcon(new DeferredIconEngine(baseStyle(), icon));
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

}  // namespace brackmoor
