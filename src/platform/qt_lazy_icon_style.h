#pragma once

#include <QProxyStyle>

namespace brackmoor {

// The program's style: the platform's own, except that the icons of the child windows' system
// menus (restore, minimise, close ...) and of the menu bar's overflow button are read from the
// style only when they are first shown. Every child window and the menu bar ask for them as they
// are made, and reading them (with the first look at the system's picture plugins) is much of
// what start-up costs, while hardly anyone opens those menus.
class LazyIconStyle : public QProxyStyle {
    Q_OBJECT

public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace brackmoor
