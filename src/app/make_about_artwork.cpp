// Writes the about window's artwork into a folder (resources/about in the source tree):
//   make_about_artwork FOLDER
// The about picture becomes about.png, the banner banner.png.

#include <QGuiApplication>
#include <QImageWriter>
#include <QString>
#include <cstdio>

#include "app/about_artwork.h"

namespace {

bool Save(const QImage& image, const QString& file) {
    QImageWriter writer(file, "png");
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
        std::fprintf(stderr, "usage: make_about_artwork FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool ok = Save(brackmoor::DrawAboutPicture(), folder + "/about.png") &&
                    Save(brackmoor::DrawAboutBanner(), folder + "/banner.png");
    return ok ? 0 : 1;
}
