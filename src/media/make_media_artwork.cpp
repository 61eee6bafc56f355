// Writes the media window's artwork into a folder (resources/media in the source tree):
//   make_media_artwork FOLDER
// The placeholder becomes placeholder.jpg, the saved-settings marker floppy.png.

#include <QGuiApplication>
#include <QImageWriter>
#include <QString>
#include <cstdio>

#include "media/media_artwork.h"

namespace {

bool Save(const QImage& image, const QString& file, const char* format, int quality) {
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
        std::fprintf(stderr, "usage: make_media_artwork FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool ok =
        Save(brackmoor::DrawPlaceholderPicture(), folder + "/placeholder.jpg", "jpg", 92) &&
        Save(brackmoor::DrawFloppyMarker(), folder + "/floppy.png", "png", -1);
    return ok ? 0 : 1;
}
