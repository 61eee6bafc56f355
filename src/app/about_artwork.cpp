#include "app/about_artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "media/media_artwork.h"

namespace brackmoor {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Where the about window puts its controls over the picture, in the picture's pixels.
constexpr int kTitleTop = 35;  // the blinking frame: 35 to 101
constexpr int kTitleBottom = 101;
constexpr int kBannerTop = 135;  // the banner: 135 to 175
constexpr int kHorizon = 244;    // the floor begins here, below the author line (195 to 236)

// A small deterministic generator, so the stars come out the same on every build.
class Dice {
public:
    unsigned next() {
        state_ = state_ * 1103515245u + 12345u;
        return (state_ >> 16) & 0x7fff;
    }
    double unit() { return next() / 32767.0; }

private:
    unsigned state_ = 1985u;
};

void DrawSky(QPainter& p, int width, int height) {
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0.0, QColor(4, 6, 28));
    sky.setColorAt(0.55, QColor(22, 10, 58));
    sky.setColorAt(1.0, QColor(40, 8, 60));
    p.fillRect(0, 0, width, height, sky);
    Dice dice;
    p.setPen(Qt::NoPen);
    for (int star = 0; star < 90; ++star) {
        const double x = dice.unit() * width;
        const double y = dice.unit() * (kHorizon - 8);
        const double bright = 0.35 + 0.65 * dice.unit();
        const double size = dice.unit() < 0.12 ? 1.6 : 0.9;
        p.setBrush(QColor::fromRgbF(bright, bright, std::min(1.0, bright + 0.15), 1.0));
        p.drawEllipse(QPointF(x, y), size, size);
    }
}

// A horizontal copper bar: one colour from dark through bright back to dark.
void DrawCopperBar(QPainter& p, int width, double top, double height, const QColor& colour) {
    QLinearGradient bar(0, top, 0, top + height);
    bar.setColorAt(0.0, colour.darker(400));
    bar.setColorAt(0.45, colour.lighter(150));
    bar.setColorAt(0.55, colour.lighter(170));
    bar.setColorAt(1.0, colour.darker(400));
    p.fillRect(QRectF(0, top, width, height), bar);
}

// The floor of the classic bouncing-ball demo: a grid in perspective, fading into the distance.
void DrawFloor(QPainter& p, int width, int height) {
    const double depth = height - kHorizon;
    QLinearGradient ground(0, kHorizon, 0, height);
    ground.setColorAt(0.0, QColor(30, 6, 44));
    ground.setColorAt(1.0, QColor(70, 12, 84));
    p.fillRect(QRectF(0, kHorizon, width, depth), ground);
    const QPointF vanishing(width / 2.0, kHorizon - 60);
    for (int line = -14; line <= 14; ++line) {
        const double bottomX = width / 2.0 + line * 44.0;
        const double t = (kHorizon - vanishing.y()) / (height - vanishing.y());
        const QPointF top(vanishing.x() + (bottomX - vanishing.x()) * t, kHorizon);
        QLinearGradient fade(0, kHorizon, 0, height);
        fade.setColorAt(0.0, QColor(230, 80, 230, 40));
        fade.setColorAt(1.0, QColor(255, 120, 255, 210));
        p.setPen(QPen(QBrush(fade), 1.2));
        p.drawLine(top, QPointF(bottomX, height));
    }
    for (int row = 1; row <= 9; ++row) {
        const double f = row / 9.0;
        const double y = kHorizon + depth * f * f;
        p.setPen(QPen(QColor(240, 100, 240, static_cast<int>(40 + 170 * f)), 1.2));
        p.drawLine(QPointF(0, y), QPointF(width, y));
    }
    // A line of light where the floor meets the sky.
    QLinearGradient glow(0, kHorizon - 3, 0, kHorizon + 3);
    glow.setColorAt(0.0, QColor(255, 140, 255, 0));
    glow.setColorAt(0.5, QColor(255, 170, 255, 200));
    glow.setColorAt(1.0, QColor(255, 140, 255, 0));
    p.fillRect(QRectF(0, kHorizon - 3, width, 6), glow);
}

// The checkered ball, red and white, tilted and lit from the upper left; each pixel is
// sampled nine times so the rim is smooth.
void DrawBall(QImage& image, double cx, double cy, double radius) {
    const double tilt = 0.33;
    const double spin = 0.25;
    const double lx = -0.45, ly = -0.55, lz = 0.70;
    const int x0 = static_cast<int>(std::floor(cx - radius)) - 1;
    const int y0 = static_cast<int>(std::floor(cy - radius)) - 1;
    const int x1 = static_cast<int>(std::ceil(cx + radius)) + 1;
    const int y1 = static_cast<int>(std::ceil(cy + radius)) + 1;
    for (int py = std::max(0, y0); py <= std::min(image.height() - 1, y1); ++py) {
        for (int px = std::max(0, x0); px <= std::min(image.width() - 1, x1); ++px) {
            double r = 0, g = 0, b = 0;
            int covered = 0;
            for (int sy = 0; sy < 3; ++sy) {
                for (int sx = 0; sx < 3; ++sx) {
                    const double x = (px + (sx + 0.5) / 3.0 - cx) / radius;
                    const double y = (py + (sy + 0.5) / 3.0 - cy) / radius;
                    const double d = x * x + y * y;
                    if (d > 1.0)
                        continue;
                    const double z = std::sqrt(1.0 - d);
                    // Turn the surface point back into the ball's own frame.
                    const double ry = y * std::cos(tilt) - x * std::sin(tilt);
                    const double rx = x * std::cos(tilt) + y * std::sin(tilt);
                    const double latitude = std::asin(std::clamp(ry, -1.0, 1.0));
                    const double longitude = std::atan2(rx, z) + spin;
                    const int a = static_cast<int>(std::floor(longitude / (kPi / 8)));
                    const int c = static_cast<int>(std::floor(latitude / (kPi / 8)));
                    const bool red = ((a + c) & 1) != 0;
                    const double light = std::max(0.0, x * lx + y * ly + z * lz);
                    const double shade = 0.28 + 0.72 * light;
                    const double shine = std::pow(light, 24.0) * 0.8;
                    const double base[3] = {red ? 0.86 : 0.97, red ? 0.08 : 0.95,
                                            red ? 0.10 : 0.95};
                    r += std::min(1.0, base[0] * shade + shine);
                    g += std::min(1.0, base[1] * shade + shine);
                    b += std::min(1.0, base[2] * shade + shine);
                    ++covered;
                }
            }
            if (covered == 0)
                continue;
            const double alpha = covered / 9.0;
            const QColor under = image.pixelColor(px, py);
            auto mix = [alpha](double sum, int count, double behind) {
                return std::clamp(sum / count * alpha + behind * (1.0 - alpha), 0.0, 1.0);
            };
            image.setPixelColor(
                px, py,
                QColor::fromRgbF(mix(r, covered, under.redF()), mix(g, covered, under.greenF()),
                                 mix(b, covered, under.blueF())));
        }
    }
}

// The about picture's disk label: a rainbow stripe, after the old rainbow-check logo, and the
// program's name.
void DrawNamedLabel(QPainter& p, const FloppyFrame& f) {
    const QColor stripes[] = {QColor(230, 40, 40), QColor(250, 150, 20), QColor(250, 220, 30),
                              QColor(40, 180, 70), QColor(40, 120, 230)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        p.setBrush(stripes[i]);
        p.drawRect(f.at(12 + i * 76.0 / 5, 46, 76.0 / 5 + 0.2, 7));
    }
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(static_cast<int>(std::max(6.0, 11 * f.unit)));
    p.setFont(font);
    p.setPen(QColor(30, 40, 90));
    p.drawText(f.at(12, 57, 76, 20), Qt::AlignCenter, "Brackmoor");
    p.setPen(QPen(QColor(130, 150, 200), 1.2 * f.unit, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(f.at(20, 82, 0, 0).topLeft(), f.at(80, 82, 0, 0).topLeft());
    p.drawLine(f.at(20, 89, 0, 0).topLeft(), f.at(62, 89, 0, 0).topLeft());
}

// Text as an outline, filled with a gradient and edged, with a soft drop shadow.
void DrawShinyText(QPainter& p, const QString& text, const QFont& font, const QRectF& box,
                   const QGradient& fill, const QColor& edge, qreal edgeWidth) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    path.translate(box.center() - bounds.center());
    p.setPen(Qt::NoPen);
    for (int blur = 4; blur >= 1; --blur) {
        p.setBrush(QColor(0, 0, 0, 45));
        p.drawPath(path.translated(blur * 0.9, blur * 1.1));
    }
    p.setBrush(fill);
    p.setPen(QPen(edge, edgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

}  // namespace

QImage DrawAboutPicture() {
    const int width = kAboutPictureWidth;
    const int height = kAboutPictureHeight;
    QImage image(width, height, QImage::Format_RGB32);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        DrawSky(p, width, height);

        // Copper bars above and below the title, and a rainbow of them where the banner comes.
        DrawCopperBar(p, width, 12, 10, QColor(40, 110, 230));
        DrawCopperBar(p, width, kTitleBottom + 10, 8, QColor(40, 110, 230));
        const QColor copper[] = {QColor(220, 40, 40), QColor(240, 150, 20), QColor(230, 210, 30),
                                 QColor(40, 190, 80), QColor(40, 130, 230), QColor(150, 60, 220)};
        for (int i = 0; i < 6; ++i) {
            DrawCopperBar(p, width, kBannerTop - 5 + i * 9, 9, copper[i]);
        }

        QFont title("DejaVu Sans");
        title.setBold(true);
        title.setItalic(true);
        title.setPixelSize(58);
        title.setLetterSpacing(QFont::AbsoluteSpacing, 2);
        const QRectF titleBox(5, kTitleTop, width - 10, kTitleBottom - kTitleTop);
        QLinearGradient chrome(0, titleBox.top() + 8, 0, titleBox.bottom() - 8);
        chrome.setColorAt(0.0, QColor(255, 255, 255));
        chrome.setColorAt(0.40, QColor(150, 200, 255));
        chrome.setColorAt(0.50, QColor(30, 60, 150));
        chrome.setColorAt(0.56, QColor(255, 190, 90));
        chrome.setColorAt(1.0, QColor(255, 245, 200));
        DrawShinyText(p, "Brackmoor", title, titleBox, chrome, QColor(10, 14, 50), 2.2);

        DrawFloor(p, width, height);
        // The ball's shadow on the floor, then the disk.
        QRadialGradient shadow(QPointF(406, 331), 50);
        shadow.setColorAt(0.0, QColor(0, 0, 0, 150));
        shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(shadow);
        p.drawEllipse(QPointF(406, 331), 50, 9);
        p.save();
        p.translate(72, 286);
        p.rotate(-9);
        // A disk in the Amiga's blue, bearing the program's name.
        DrawFloppy(p, QRectF(-38, -38, 76, 76),
                   {QColor(70, 120, 220), QColor(20, 44, 120), DrawNamedLabel});
        p.restore();
    }
    DrawBall(image, 400, 282, 44);
    return image;
}

QImage DrawAboutBanner() {
    const int width = kAboutBannerWidth;
    const int height = kAboutBannerHeight;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plate(1, 1, width - 2, height - 2);
    QLinearGradient back(0, 0, 0, height);
    back.setColorAt(0.0, QColor(8, 8, 24, 235));
    back.setColorAt(1.0, QColor(24, 8, 40, 235));
    p.setBrush(back);
    QLinearGradient rim(0, 0, width, 0);
    rim.setColorAt(0.0, QColor(230, 40, 40));
    rim.setColorAt(0.25, QColor(250, 180, 20));
    rim.setColorAt(0.5, QColor(60, 200, 90));
    rim.setColorAt(0.75, QColor(40, 130, 240));
    rim.setColorAt(1.0, QColor(170, 60, 230));
    p.setPen(QPen(QBrush(rim), 2));
    p.drawRoundedRect(plate, 8, 8);

    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(21);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    QLinearGradient gold(0, 9, 0, 31);
    gold.setColorAt(0.0, QColor(255, 250, 200));
    gold.setColorAt(0.45, QColor(255, 200, 60));
    gold.setColorAt(0.55, QColor(230, 110, 20));
    gold.setColorAt(1.0, QColor(255, 220, 120));
    DrawShinyText(p, "AMIGA DISK LAUNCHER", font, plate, gold, QColor(60, 20, 0), 1.0);
    return image;
}

}  // namespace brackmoor
