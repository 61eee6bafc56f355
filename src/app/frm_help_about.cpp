#include "app/frm_help_about.h"

#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include "app/about_artwork.h"
#include "platform/qt_own_picture.h"
#include "platform/qt_twips.h"
#include "settings/window_placement.h"

namespace brackmoor {

namespace {

// The client area in twips.
constexpr int kClientWidth = 7275;
constexpr int kClientHeight = 5145;
constexpr int kBlinkMilliseconds = 1000;
constexpr int kRevealMilliseconds = 5000;

// The blink counter: 0 when the program starts, kept from one opening of the window to the
// next.
std::uint16_t g_blinkCounter = 0;

QPixmap Artwork(const char* resource, QImage (*draw)()) {
    return QPixmap::fromImage(ReadOwnPicture(resource, "png", draw));
}

}  // namespace

FrmHelpAbout::FrmHelpAbout(bool helpMode, QWidget* parent) : QDialog(parent), helpMode_(helpMode) {
    setObjectName("frmHelpAbout");
    setModal(true);
    buildControls();
    connectControls();
    loadEvent();
}

std::uint16_t FrmHelpAbout::blinkCounter() {
    return g_blinkCounter;
}

void FrmHelpAbout::buildControls() {
    const double dpi = logicalDpiX();
    setFixedSize(TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kClientHeight, dpi));

    text1 = new QTextBrowser(this);
    PlaceInTwips(text1, "text1", {75, 75, 7095, 5010});
    text1->setOpenExternalLinks(true);
    text1->setSource(QUrl("qrc:/help/help.html"));

    Image1 = new QLabel(this);
    PlaceInTwips(Image1, "Image1", {0, 0, 7290, 5145});
    Image1->setScaledContents(true);
    Image1->setPixmap(Artwork(":/about/about.png", DrawAboutPicture));

    Shape1 = new QFrame(this);
    PlaceInTwips(Shape1, "Shape1", {75, 525, 7065, 990});
    Shape1->setStyleSheet(
        "QFrame#Shape1 { border: 2px solid rgb(255, 208, 64); border-radius: 6px;"
        " background: transparent; }");

    Image2 = new QLabel(this);
    PlaceInTwips(Image2, "Image2", {825, 2025, 5625, 600});
    Image2->setScaledContents(true);
    Image2->setPixmap(Artwork(":/about/banner.png", DrawAboutBanner));

    Label2 = new QLabel("By the Brackmoor developers \u2022 for Amiga fans everywhere", this);
    PlaceInTwips(Label2, "Label2", {75, 2925, 7140, 615});
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setWordWrap(true);
    Label2->setStyleSheet("color: rgb(255, 236, 170); font-weight: bold;");
    auto* shadow = new QGraphicsDropShadowEffect(Label2);
    shadow->setColor(Qt::black);
    shadow->setOffset(1.5, 1.5);
    shadow->setBlurRadius(4);
    Label2->setGraphicsEffect(shadow);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(kBlinkMilliseconds);
    Timer2 = new QTimer(this);
    Timer2->setObjectName("Timer2");
    Timer2->setInterval(kRevealMilliseconds);
}

void FrmHelpAbout::connectControls() {
    connect(Timer1, &QTimer::timeout, this, &FrmHelpAbout::Timer1Tick);
    connect(Timer2, &QTimer::timeout, this, &FrmHelpAbout::Timer2Tick);
}

// Opening: help shows only the document; about shows the picture and its frame, and starts
// the two timers.
void FrmHelpAbout::loadEvent() {
    Image2->hide();
    Label2->hide();
    if (helpMode_) {
        setWindowTitle("Help");
        text1->show();
        Image1->hide();
        Shape1->hide();
        Timer1->stop();
        Timer2->stop();
    } else {
        setWindowTitle("About Brackmoor");
        text1->hide();
        Image1->show();
        Shape1->show();
        Timer1->start();
        Timer2->start();
    }
}

void FrmHelpAbout::Timer1Tick() {
    g_blinkCounter = static_cast<std::uint16_t>((g_blinkCounter + 1) & 1);
    Shape1->setVisible(g_blinkCounter == 1);
}

void FrmHelpAbout::Timer2Tick() {
    Image2->show();
    Label2->show();
}

void FrmHelpAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen, not over the main window.
    if (!centred_ && screen() != nullptr) {
        centred_ = true;
        const QRect area = screen()->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void FrmHelpAbout::done(int result) {
    Timer1->stop();
    Timer2->stop();
    QDialog::done(result);
}

}  // namespace brackmoor
