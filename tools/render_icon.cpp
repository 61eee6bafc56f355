// Renders the program's SVG icon as square PNG files, one per size, for the icon theme and the
// window icon. The PNGs are committed; this remakes them after the drawing changed:
//
//   render_icon SVG OUT_FOLDER SIZE...      (writes OUT_FOLDER/<SIZE>.png)

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <iostream>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::cerr << "usage: render_icon SVG OUT_FOLDER SIZE...\n";
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::cerr << "render_icon: cannot read " << argv[1] << "\n";
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        if (size <= 0 || size > 1024) {
            std::cerr << "render_icon: not a size: " << argv[i] << "\n";
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString file = folder + "/" + QString::number(size) + ".png";
        if (!image.save(file, "PNG")) {
            std::cerr << "render_icon: cannot write " << file.toStdString() << "\n";
            return 1;
        }
    }
    return 0;
}
