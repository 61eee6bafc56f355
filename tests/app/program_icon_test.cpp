// The program's icon, and the style's icons of the child windows' system menus, are read only
// when drawn, yet draw every size as icons read at once would.

#include <QPainter>
#include <QtTest>

#include "app/program_icon.h"
#include "platform/qt_lazy_icon_style.h"

using namespace brackmoor;

class ProgramIconTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void drawsEverySizeAsAPlainIconWould() {
        QIcon plain;
        for (const int side : {16, 32, 48, 64, 128, 256}) {
            plain.addFile(QString(":/icons/%1.png").arg(side), QSize(side, side));
        }
        const QIcon icon = ProgramIcon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes(), plain.availableSizes());
        QVERIFY(icon.availableSizes(QIcon::Disabled).isEmpty());
        // Exact sizes, sizes between two pictures, beyond the largest, not square.
        for (const QSize size : {QSize(16, 16), QSize(20, 20), QSize(24, 24), QSize(64, 64),
                                 QSize(100, 100), QSize(300, 300), QSize(40, 20), QSize(0, 0)}) {
            for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Selected}) {
                QCOMPARE(icon.actualSize(size, mode), plain.actualSize(size, mode));
                QCOMPARE(icon.pixmap(size, 1.0, mode).toImage(),
                         plain.pixmap(size, 1.0, mode).toImage());
            }
        }
        // Painted, as a title bar draws it.
        auto painted = [](const QIcon& drawn) {
            QImage canvas(40, 40, QImage::Format_ARGB32_Premultiplied);
            canvas.fill(Qt::transparent);
            QPainter painter(&canvas);
            drawn.paint(&painter, QRect(2, 3, 16, 16));
            painter.end();
            return canvas;
        };
        QCOMPARE(painted(icon), painted(plain));
    }

    void systemMenuIconsDrawAsTheStylesOwn() {
        LazyIconStyle lazy;
        const QStyle* own = lazy.baseStyle();
        for (const auto icon :
             {QStyle::SP_TitleBarCloseButton, QStyle::SP_TitleBarMinButton,
              QStyle::SP_TitleBarNormalButton, QStyle::SP_ToolBarHorizontalExtensionButton}) {
            const QIcon deferred = lazy.standardIcon(icon);
            const QIcon read = own->standardIcon(icon);
            QCOMPARE(deferred.availableSizes(), read.availableSizes());
            QCOMPARE(deferred.pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage(),
                     read.pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage());
        }
    }

    void anIconWithoutPicturesIsEmpty() {
        const QIcon icon = SizedFilesIcon({});
        QVERIFY(icon.availableSizes().isEmpty());
        QVERIFY(icon.pixmap(QSize(16, 16), 1.0).isNull());
        QVERIFY(!icon.actualSize(QSize(16, 16)).isValid());
    }
};

QTEST_MAIN(ProgramIconTest)
#include "program_icon_test.moc"
