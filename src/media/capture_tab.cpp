#include "media/capture_tab.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "media/media_layout.h"
#include "media/media_widgets.h"
#include "platform/qt_twips.h"

namespace brackmoor {

namespace {

const char* const kCaptureInstructions =
    "In WinUAE, while playing a game press \"PRINT SCREEN\" on the keyboard.  When your happy, "
    "return to here and select a size to save (JPG). ";

}  // namespace

CaptureTab::CaptureTab(QWidget* tabControl, const QPoint& origin) : QWidget(tabControl) {
    setObjectName("captureTab");
    buildControls(origin);
    connectControls();
}

void CaptureTab::buildControls(const QPoint& origin) {
    Label3_ = MakeCaption(this, "Label3", kCaptureInstructions, {75, 450, 4290, 1215}, origin);
    Label3_->setWordWrap(true);
    MakeCaption(this, "Label6", "Image Name To Save As", {150, 1350, 3765, 315}, origin);
    txtimgname_ = new QLineEdit(this);
    PlaceInTwips(txtimgname_, "txtimgname", {150, 1575, 4140, 315}, origin);
    txtimgname_->setReadOnly(true);
    MakeCaption(this, "Label4", "Compression", {150, 2025, 1140, 315}, origin);
    MakeCaption(this, "Label5", "Image Size", {2250, 2025, 2115, 315}, origin);
    txtJPGcompession_ = new QLineEdit("80", this);
    PlaceInTwips(txtJPGcompession_, "txtJPGcompession", {150, 2250, 1140, 285}, origin);
    txtJPGcompession_->setToolTip("100=Lossless 1=Bad");
    cmbImageSize_ = new QComboBox(this);
    PlaceInTwips(cmbImageSize_, "cmbImageSize", {2250, 2250, 2040, 315}, origin);
    MakeChoiceList(cmbImageSize_);
    cmbImageSize_->addItems({"Full 100%", "Half 50%", "Third 33%"});
    ChoosePosition(cmbImageSize_, 1);
    cmbImageSize_->setToolTip("How big will the picture be.");
    cmdSave_ = new QPushButton("Save", this);
    PlaceInTwips(cmdSave_, "cmdSave", {1050, 2925, 2415, 390}, origin);
    cmdSave_->setToolTip("Save the Clipboard now!");
    // The capture's working pictures and the placeholder's holder; never shown.
    for (const auto& [name, rect] : {std::pair{"ImgClip", QRect(75, 2775, 690, 690)},
                                     std::pair{"Picture1", QRect(75, 3075, 765, 465)},
                                     std::pair{"pictemp", QRect(150, 3150, 465, 465)}}) {
        auto* picture = new QLabel(this);
        PlaceInTwips(picture, name, rect, origin);
        picture->hide();
    }
}

void CaptureTab::connectControls() {
    connect(cmdSave_, &QPushButton::clicked, this, &CaptureTab::saveRequested);
    connect(txtJPGcompession_, &QLineEdit::textChanged, this, &CaptureTab::onCompressionChanged);
    txtJPGcompession_->installEventFilter(this);
}

void CaptureTab::setImageName(const QString& name) {
    txtimgname_->setText(name);
}

QString CaptureTab::sizeText() const {
    return cmbImageSize_->currentText();
}

QString CaptureTab::compressionText() const {
    return txtJPGcompession_->text();
}

bool CaptureTab::eventFilter(QObject* watched, QEvent* event) {
    // The compression box takes only digits, "-", "." and Backspace. Every other character is
    // refused, Enter and the control characters of Ctrl+letter (Ctrl+V among them) included;
    // keys that type no character (arrows, Delete, Tab) keep their usual work.
    if (watched == txtJPGcompession_ && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1) {
            const char16_t c = text.at(0).unicode();
            const bool types = c != u'\t' && c != 0x7F;
            if (types && (c > 0x7F || !IsCompressionKey(static_cast<char>(c)))) {
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CaptureTab::onCompressionChanged(const QString& text) {
    if (const auto clamped = ClampCompressionText(text.toStdString())) {
        txtJPGcompession_->setText(QString::fromStdString(*clamped));
    }
}

}  // namespace brackmoor
