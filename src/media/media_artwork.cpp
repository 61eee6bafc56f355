#include "media/media_artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace brackmoor {

namespace {

// The media window's disk: grey, an orange stripe and three written lines on its label.
void DrawPlainLabel(QPainter& p, const FloppyFrame& f) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 136, 0));
    p.drawRect(f.at(12, 46, 76, 8));
    p.setPen(QPen(QColor(120, 140, 190), 1.4 * f.unit, Qt::SolidLine, Qt::RoundCap));
    for (int line = 0; line < 3; ++line) {
        const qreal y = 64 + line * 10;
        p.drawLine(f.at(18, y, 0, 0).topLeft(), f.at(line == 2 ? 60 : 82, y, 0, 0).topLeft());
    }
}

}  // namespace

QRectF FloppyFrame::at(qreal x, qreal y, qreal w, qreal h) const {
    return QRectF(square.left() + x * unit, square.top() + y * unit, w * unit, h * unit);
}

void DrawFloppy(QPainter& p, const QRectF& r, const FloppyLook& look) {
    const FloppyFrame f{r, r.width() / 100.0};
    const qreal u = f.unit;

    // Shadow, then the body with a cut corner at the top right.
    QPainterPath body;
    body.moveTo(f.at(0, 0, 0, 0).topLeft());
    body.lineTo(f.at(92, 0, 0, 0).topLeft());
    body.lineTo(f.at(100, 8, 0, 0).topLeft());
    body.lineTo(f.at(100, 100, 0, 0).topLeft());
    body.lineTo(f.at(0, 100, 0, 0).topLeft());
    body.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(body.translated(3 * u, 4 * u));
    QLinearGradient shell(r.topLeft(), r.bottomRight());
    shell.setColorAt(0.0, look.shellLight);
    shell.setColorAt(1.0, look.shellDark);
    p.setBrush(shell);
    p.setPen(QPen(look.shellDark.darker(200), 1.2 * u));
    p.drawPath(body);

    // Metal shutter with its window.
    QLinearGradient metal(f.at(22, 0, 0, 0).topLeft(), f.at(78, 0, 0, 0).topLeft());
    metal.setColorAt(0.0, QColor(168, 174, 184));
    metal.setColorAt(0.5, QColor(232, 236, 242));
    metal.setColorAt(1.0, QColor(150, 156, 166));
    p.setPen(QPen(QColor(90, 96, 106), 0.8 * u));
    p.setBrush(metal);
    p.drawRect(f.at(22, 0, 56, 33));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(36, 40, 48));
    p.drawRect(f.at(56, 5, 12, 23));

    // The label, then what it carries.
    p.setBrush(QColor(246, 244, 236));
    p.setPen(QPen(QColor(200, 196, 186), 0.6 * u));
    p.drawRoundedRect(f.at(12, 46, 76, 50), 2 * u, 2 * u);
    if (look.label) {
        look.label(p, f);
    }

    // Write-protect hole.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 12, 16));
    p.drawRect(f.at(4, 88, 5, 6));
}

QImage DrawPlaceholderPicture() {
    QImage image(kPlaceholderWidth, kPlaceholderHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Night-blue backdrop with a soft light behind the disk.
    QLinearGradient sky(0, 0, 0, kPlaceholderHeight);
    sky.setColorAt(0.0, QColor(18, 46, 98));
    sky.setColorAt(1.0, QColor(6, 16, 40));
    p.fillRect(image.rect(), sky);
    QRadialGradient glow(QPointF(160, 92), 120);
    glow.setColorAt(0.0, QColor(90, 150, 230, 120));
    glow.setColorAt(1.0, QColor(90, 150, 230, 0));
    p.fillRect(image.rect(), glow);

    // A receding checkered floor, in the spirit of the machine's famous demos.
    for (int row = 0; row < 6; ++row) {
        const qreal y0 = 170 + row * row * 2.2 + row * 4;
        const qreal y1 = 170 + (row + 1) * (row + 1) * 2.2 + (row + 1) * 4;
        for (int col = -8; col < 9; ++col) {
            const qreal spread0 = 12 + row * 5;
            const qreal spread1 = 12 + (row + 1) * 5;
            QPolygonF tile;
            tile << QPointF(160 + col * spread0, y0) << QPointF(160 + (col + 1) * spread0, y0)
                 << QPointF(160 + (col + 1) * spread1, y1) << QPointF(160 + col * spread1, y1);
            const bool light = (row + col) % 2 == 0;
            p.setPen(Qt::NoPen);
            p.setBrush(light ? QColor(200, 40, 40, 150) : QColor(240, 240, 250, 110));
            p.drawPolygon(tile);
        }
    }

    DrawFloppy(p, QRectF(118, 34, 86, 86),
               {QColor(70, 78, 92), QColor(28, 32, 40), DrawPlainLabel});

    QFont title("DejaVu Sans");
    title.setPixelSize(17);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 140));
    p.drawText(QRectF(1, 127, kPlaceholderWidth, 24), Qt::AlignHCenter, "No screenshot yet");
    p.setPen(QColor(250, 250, 255));
    p.drawText(QRectF(0, 126, kPlaceholderWidth, 24), Qt::AlignHCenter, "No screenshot yet");

    QFont hint("DejaVu Sans");
    hint.setPixelSize(11);
    p.setFont(hint);
    p.setPen(QColor(190, 210, 240));
    p.drawText(QRectF(0, 148, kPlaceholderWidth, 18), Qt::AlignHCenter,
               "Make one on the Capture tab");

    // A thin frame so the picture reads as a picture even on a dark window.
    p.setPen(QPen(QColor(255, 136, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, kPlaceholderWidth - 2, kPlaceholderHeight - 2));
    p.end();
    return image;
}

QImage DrawFloppyMarker() {
    // Pixel by pixel, so it stays crisp at its tiny size.
    QImage image(kMarkerSize, kMarkerSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const QColor outline(16, 24, 48);
    const QColor shell(34, 82, 170);
    const QColor metal(208, 214, 224);
    const QColor label(250, 250, 246);
    // Body with the cut corner at the top right.
    p.fillRect(0, 0, 14, 14, outline);
    p.fillRect(1, 1, 12, 12, shell);
    image.setPixelColor(13, 0, Qt::transparent);
    image.setPixelColor(12, 1, outline);
    // Shutter and its window.
    p.fillRect(4, 1, 6, 4, metal);
    p.fillRect(7, 2, 2, 2, outline);
    // Label with two lines of writing.
    p.fillRect(3, 7, 8, 6, label);
    p.fillRect(4, 9, 6, 1, QColor(120, 140, 190));
    p.fillRect(4, 11, 4, 1, QColor(120, 140, 190));
    p.end();
    return image;
}

}  // namespace brackmoor
