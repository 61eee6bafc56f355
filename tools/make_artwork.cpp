// Writes the program's artwork, drawn in code, into the source tree's resources folder:
//   make_artwork RESOURCES
// The media window's placeholder (media/placeholder.jpg) and saved-settings marker
// (media/floppy.png), and the about window's picture and banner (about/about.png,
// about/banner.png).

#include <QGuiApplication>
#include <QImageWriter>
#include <QString>
#include <cstdio>

#include "app/about_artwork.h"
#include "media/media_artwork.h"

namespace {

bool Save(const QImage& image, const QString& file, const char* format, int quality = -1) {
    QImageWriter writer(file, format);
    writer.setQuality(quality);
    if (!writer.write(image)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(file),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_artwork RESOURCES\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    using namespace brackmoor;
    const bool ok = Save(DrawPlaceholderPicture(), folder + "/media/placeholder.jpg", "jpg", 92) &&
                    Save(DrawFloppyMarker(), folder + "/media/floppy.png", "png") &&
                    Save(DrawAboutPicture(), folder + "/about/about.png", "png") &&
                    Save(DrawAboutBanner(), folder + "/about/banner.png", "png");
    return ok ? 0 : 1;
}
