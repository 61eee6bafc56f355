#include "app/program_icon.h"

#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>

#include "platform/qt_own_picture.h"

namespace brackmoor {

namespace {

class SizedFilesIconEngine : public QIconEngine {
public:
    explicit SizedFilesIconEngine(std::map<int, QString> files) : files_(std::move(files)) {}

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        if (files_.empty()) {
            return QSize();
        }
        QSize actual(sideFor(size), sideFor(size));
        if (actual.width() > size.width() || actual.height() > size.height()) {
            actual.scale(size, Qt::KeepAspectRatio);
        }
        return actual;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (files_.empty()) {
            return QPixmap();
        }
        return picture(sideFor(size)).pixmap(size, 1.0, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QPaintDevice* device = painter->device();
        const qreal ratio = device != nullptr ? device->devicePixelRatio() : 1.0;
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off) {
            for (const auto& [side, file] : files_) {
                sizes.append(QSize(side, side));
            }
        }
        return sizes;
    }

    QIconEngine* clone() const override { return new SizedFilesIconEngine(*this); }
    QString key() const override { return QStringLiteral("SizedFilesIconEngine"); }

private:
    // The smallest side whose area covers the asked one, else the largest.
    int sideFor(const QSize& size) const {
        const qint64 asked = qint64(size.width()) * size.height();
        for (const auto& [side, file] : files_) {
            if (qint64(side) * side >= asked) {
                return side;
            }
        }
        return files_.rbegin()->first;
    }

    // The picture of one size, as an icon of its own, read on first use.
    const QIcon& picture(int side) {
        auto [at, added] = read_.try_emplace(side);
        if (added) {
            at->second.addPixmap(QPixmap::fromImage(ReadOwnPicture(files_.at(side), "png")));
        }
        return at->second;
    }

    std::map<int, QString> files_;
    std::map<int, QIcon> read_;
};

}  // namespace

QIcon SizedFilesIcon(std::map<int, QString> files) {
    return QIcon(new SizedFilesIconEngine(std::move(files)));
}

QIcon ProgramIcon() {
    std::map<int, QString> files;
    for (const int side : {16, 32, 48, 64, 128, 256}) {
        files.emplace(side, QStringLiteral(":/icons/%1.png").arg(side));
    }
    return SizedFilesIcon(std::move(files));
}

}  // namespace brackmoor
