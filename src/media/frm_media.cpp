#include "media/frm_media.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QProxyStyle>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

#include "imaging/picture_clipboard.h"
#include "media/capture_tab.h"
#include "media/media_artwork.h"
#include "media/media_layout.h"
#include "media/media_widgets.h"
#include "media/notes_box.h"
#include "media/screenshot_capture.h"
#include "media/screenshots.h"
#include "platform/atomic_file.h"
#include "platform/file_lookup.h"
#include "platform/messages.h"
#include "platform/qt_own_picture.h"
#include "platform/qt_twips.h"
#include "settings/launcher_settings.h"

namespace brackmoor {

namespace {

enum Tab { kImageTab = 0, kCaptureTab = 1, kOptionsTab = 2, kNotesTab = 3 };

// The window's first size: the design client area (4680 x 3810) plus a usual frame.
constexpr Size2 kInitialWindow{4800, 4260};

// Where the pages sit on the tab control, below the tab bar, in twips; the controls keep
// their design places, which are given relative to the tab control.
const QPoint kPageOrigin(0, 375);

// Tabs with tight padding, so that all four captions stay in view at the window's minimum
// width. (A style sheet would do the same, but polishing one costs several milliseconds at
// start-up.)
class CompactTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace) {
            return 10;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* toolTip,
                        const QRect& twips) {
    auto* button = new QPushButton(caption, parent);
    PlaceInTwips(button, name, twips, kPageOrigin);
    button->setToolTip(toolTip);
    return button;
}

// A screenshot file as a picture; a null picture for a damaged file or one that is no picture.
// Read as bytes: the name may not be valid text.
QImage LoadPicture(const std::filesystem::path& file) {
    const auto bytes = ReadWholeFile(file, nullptr);
    if (!bytes) {
        return QImage();
    }
    return QImage::fromData(reinterpret_cast<const uchar*>(bytes->data()),
                            static_cast<int>(bytes->size()));
}

}  // namespace

FrmMedia::FrmMedia(QWidget* parent) : ChildWindow("frmMedia", "Media", parent) {
    loadArtwork();
    buildControls();
    connectControls();
    setMinimumSize(TwipsToPixelsAtLeast(kMediaMinimumWindow.width, logicalDpiX()),
                   TwipsToPixelsAtLeast(kMediaMinimumWindow.height, logicalDpiY()));
    resize(TwipsToPixels(kInitialWindow.width, logicalDpiX()),
           TwipsToPixels(kInitialWindow.height, logicalDpiY()));
}

void FrmMedia::attach(const LauncherSettings* settings, MessageSink* messages,
                      PictureClipboard* clipboard) {
    settings_ = settings;
    messages_ = messages;
    clipboard_ = clipboard;
}

void FrmMedia::loadArtwork() {
    placeholder_ = QPixmap::fromImage(
        ReadOwnPicture(":/media/placeholder.jpg", "jpeg", DrawPlaceholderPicture));
}

void FrmMedia::buildControls() {
    client_ = new QWidget(this);
    client_->setObjectName("frmMediaClient");
    // The layout was designed for an 8-point interface font; a larger one would clip the
    // captions of the controls at their design sizes.
    QFont font = client_->font();
    font.setPointSizeF(std::min<qreal>(font.pointSizeF(), 8.0));
    client_->setFont(font);
    setWidget(client_);

    tabMedia_ = new QTabWidget(client_);
    PlaceInTwips(tabMedia_, "tabMedia", {0, 0, 4590, 3690});
    // All four tabs stay in view at the minimum width, their captions shortened if need be.
    tabMedia_->setUsesScrollButtons(false);
    auto* compact = new CompactTabStyle;
    compact->setParent(tabMedia_->tabBar());
    tabMedia_->tabBar()->setStyle(compact);
    tabMedia_->setElideMode(Qt::ElideRight);
    for (const char* caption : {"Image", "Capture", "Game Options", "Game Info/Notes"}) {
        tabMedia_->addTab(new QWidget(tabMedia_), caption);
    }
    // The capture page is built when it is first needed (see captureTab).
    pages_ = {buildImageTab(), nullptr, buildOptionsTab(), buildNotesTab()};

    cmdStopper_ = new QPushButton("No Editing In MultiSelect Mode!", client_);
    PlaceInTwips(cmdStopper_, "cmdStopper", {825, 1275, 2790, 615});
    cmdStopper_->hide();
    showCurrentTab();
}

QWidget* FrmMedia::buildImageTab() {
    auto* page = new QWidget(tabMedia_);
    imgMedia_ = new QLabel(page);
    PlaceInTwips(imgMedia_, "imgMedia", {75, 375, 4425, 3210}, kPageOrigin);
    imgMedia_->setScaledContents(true);
    imgMedia_->setPixmap(placeholder_);
    imgMedia_->setToolTip("Drop a picture here, or paste one, to make it this game's screenshot.");
    page->setObjectName("imagePage");
    page->setAcceptDrops(true);
    page->setFocusPolicy(Qt::ClickFocus);
    page->installEventFilter(this);
    return page;
}

QWidget* FrmMedia::buildOptionsTab() {
    auto* page = new QWidget(tabMedia_);
    MakeCaption(page, "Label1", "Config To Use", {150, 450, 3315, 240}, kPageOrigin);
    cmbConfigToUse_ = new QComboBox(page);
    PlaceInTwips(cmbConfigToUse_, "cmbConfigToUse", {150, 675, 4140, 315}, kPageOrigin);
    cmbConfigToUse_->setToolTip("Which WinUAE config to use with this game.");
    MakeCaption(page, "Label2", "WorkBench To Use", {150, 1050, 3465, 240}, kPageOrigin);
    cmbWBUse_ = new QComboBox(page);
    PlaceInTwips(cmbWBUse_, "cmbWBUse", {150, 1275, 4140, 315}, kPageOrigin);
    // The two lists take typing once the page is first shown (see showCurrentTab): their text
    // fields are a good part of what the window costs to make, and nothing can be typed into
    // them before.
    cmbWBUse_->setToolTip("This Workbench will be mounted on Drive0 before the selected game(s).");
    chkAutoABCD_ = new QCheckBox("Autoload ABCD", page);
    PlaceInTwips(chkAutoABCD_, "chkAutoABCD", {150, 1800, 2115, 315}, kPageOrigin);
    chkAutoABCD_->setToolTip("If your games end in ABCD, this will automount the next floppy.");
    cmddefault_ = MakeButton(page, "cmddefault", "Defaults", "Quick restore to top values on all.",
                             {2700, 1800, 1590, 390});
    chkDissableUnused_ = new QCheckBox("Dissable Unused Drives", page);
    PlaceInTwips(chkDissableUnused_, "chkDissableUnused", {150, 2025, 2190, 465}, kPageOrigin);
    chkDissableUnused_->setToolTip("Some games wont run with 1 or more floppy drives.");
    chkDissableUnused_->setChecked(true);
    cmdSaveSettings_ = MakeButton(page, "cmdSaveSettings", "Remember This Game's Settings",
                                  "Save this games settings.", {900, 2850, 2640, 390});
    imgSaved_ = new QLabel(page);
    PlaceInTwips(imgSaved_, "imgSaved", {3600, 2925, 210, 210}, kPageOrigin);
    imgSaved_->setScaledContents(true);
    imgSaved_->setPixmap(
        QPixmap::fromImage(ReadOwnPicture(":/media/floppy.png", "png", DrawFloppyMarker)));
    imgSaved_->setToolTip("This game has saved settings");
    imgSaved_->hide();
    // Tab goes down the page as it reads.
    setTabOrder(cmbConfigToUse_, cmbWBUse_);
    setTabOrder(cmbWBUse_, chkAutoABCD_);
    setTabOrder(chkAutoABCD_, cmddefault_);
    setTabOrder(cmddefault_, chkDissableUnused_);
    setTabOrder(chkDissableUnused_, cmdSaveSettings_);
    return page;
}

QWidget* FrmMedia::buildNotesTab() {
    auto* page = new QWidget(tabMedia_);
    cmdsavenotes_ = MakeButton(page, "cmdsavenotes", "Save",
                               "Save a note for this game (500 letters max)", {75, 375, 690, 315});
    txtNotes_ = new NotesBox(page);
    PlaceInTwips(txtNotes_, "txtNotes", {75, 750, 4440, 2865}, kPageOrigin);
    return page;
}

void FrmMedia::connectControls() {
    connect(tabMedia_, &QTabWidget::currentChanged, this, &FrmMedia::showCurrentTab);
    connect(cmdSaveSettings_, &QPushButton::clicked, this, &FrmMedia::onRemember);
    connect(cmddefault_, &QPushButton::clicked, this, &FrmMedia::onDefaults);
    connect(cmdsavenotes_, &QPushButton::clicked, this, &FrmMedia::onSaveNote);
    connect(cmdStopper_, &QPushButton::clicked, this, &FrmMedia::stopperClicked);
    // The user choosing a Workbench entry replaces a stored position beyond the list.
    connect(cmbWBUse_, &QComboBox::currentIndexChanged, this,
            [this] { workbenchPastEnd_.reset(); });
    connect(cmbWBUse_, &QComboBox::editTextChanged, this, [this] { workbenchPastEnd_.reset(); });
}

// --- Layout ---------------------------------------------------------------------------------

void FrmMedia::applyLayout() {
    const int dx = logicalDpiX();
    const int dy = logicalDpiY();
    const MediaLayout layout =
        LayoutMediaWindow({PixelsToTwips(width(), dx), PixelsToTwips(height(), dy)});
    auto pixels = [&](Size2 s) {
        return QSize(TwipsToPixels(s.width, dx), TwipsToPixels(s.height, dy));
    };
    tabMedia_->resize(pixels(layout.tab));
    imgMedia_->resize(pixels(layout.image));
    txtNotes_->resize(pixels(layout.notes));
    const int top = TwipsToPixels(kPageOrigin.y(), dy);
    for (QWidget* page : pages_) {
        if (page != nullptr) {
            page->setGeometry(0, top, tabMedia_->width(), std::max(0, tabMedia_->height() - top));
        }
    }
}

// The "Capture" page, built the first time it is shown or its choices are read: many sessions
// never open it, and building its controls took over a millisecond of every start-up.
CaptureTab* FrmMedia::captureTab() {
    if (captureTab_ == nullptr) {
        captureTab_ = new CaptureTab(tabMedia_, kPageOrigin);
        captureTab_->hide();
        captureTab_->setImageName(captureName_);
        pages_[kCaptureTab] = captureTab_;
        connect(captureTab_, &CaptureTab::saveRequested, this, &FrmMedia::onCapture);
        applyLayout();
    }
    return captureTab_;
}

void FrmMedia::showCurrentTab() {
    const int current = tabMedia_->currentIndex();
    if (current == kCaptureTab) {
        captureTab();
    }
    if (current == kOptionsTab && !cmbConfigToUse_->isEditable()) {
        MakeChoiceList(cmbConfigToUse_);
        MakeChoiceList(cmbWBUse_);
    }
    for (int tab = 0; tab < static_cast<int>(pages_.size()); ++tab) {
        QWidget* page = pages_[static_cast<std::size_t>(tab)];
        if (page == nullptr) {
            continue;
        }
        page->setVisible(tab == current);
        if (tab == current) {
            page->raise();
        }
    }
}

void FrmMedia::resizeEvent(QResizeEvent* event) {
    ChildWindow::resizeEvent(event);
    applyLayout();
}

void FrmMedia::showEvent(QShowEvent* event) {
    ChildWindow::showEvent(event);
    applyLayout();
}

// --- The shown game -------------------------------------------------------------------------

void FrmMedia::showGame(const std::optional<std::string>& gameKey) {
    shownKey_ = gameKey;
    showScreenshot(gameKey);
    captureName_ = gameKey ? QString::fromStdString(CaptureImageName(*gameKey)) : QString();
    if (captureTab_ != nullptr) {
        captureTab_->setImageName(captureName_);
    }
    GameRecord record;
    // A file whose name gives no key has no record; it shows the defaults.
    if (settings_ != nullptr && gameKey) {
        record = LoadGameSettings(settings_->AppPath, *gameKey, cmbConfigToUse_->count());
    }
    showRecord(record);
}

void FrmMedia::showScreenshot(const std::optional<std::string>& gameKey) {
    QImage picture;
    if (gameKey && settings_ != nullptr) {
        if (const auto file = FindScreenshot(settings_->SnapsPath, *gameKey)) {
            picture = LoadPicture(*file);
        }
    }
    imgMedia_->setPixmap(picture.isNull() ? placeholder_ : QPixmap::fromImage(picture));
}

void FrmMedia::setMultiSelectMode(bool on) {
    cmdStopper_->setVisible(on);
    if (on) {
        cmdStopper_->raise();
    }
    updateTabsEnabled();
}

bool FrmMedia::multiSelectMode() const {
    return !cmdStopper_->isHidden();
}

void FrmMedia::setFolderHasFiles(bool any) {
    folderHasFiles_ = any;
    updateTabsEnabled();
}

void FrmMedia::updateTabsEnabled() {
    tabMedia_->setEnabled(folderHasFiles_ && !multiSelectMode());
}

GameChoices FrmMedia::choices() const {
    return GameChoices{ChosenPosition(cmbConfigToUse_),
                       workbenchPastEnd_.value_or(ChosenPosition(cmbWBUse_)),
                       chkAutoABCD_->isChecked(), chkDissableUnused_->isChecked()};
}

bool FrmMedia::autoloadABCD() const {
    return chkAutoABCD_->isChecked();
}

void FrmMedia::showRecord(const GameRecord& record) {
    const QSignalBlocker blockNotes(txtNotes_);
    txtNotes_->clear();
    setSavedMarker(record.remembered);
    showChoices(record.choices);
    txtNotes_->setPlainText(QString::fromStdString(record.notes));
}

void FrmMedia::showChoices(const GameChoices& choices) {
    const QSignalBlocker blockConfig(cmbConfigToUse_);
    const QSignalBlocker blockWorkbench(cmbWBUse_);
    const QSignalBlocker blockAutoload(chkAutoABCD_);
    const QSignalBlocker blockDisable(chkDissableUnused_);
    ChoosePosition(cmbConfigToUse_, choices.configPosition);
    ChoosePosition(cmbWBUse_, choices.workbenchPosition);
    workbenchPastEnd_.reset();
    if (choices.workbenchPosition >= cmbWBUse_->count()) {
        workbenchPastEnd_ = choices.workbenchPosition;
    }
    chkAutoABCD_->setChecked(choices.autoloadABCD);
    chkDissableUnused_->setChecked(choices.disableUnusedDrives);
}

void FrmMedia::setSavedMarker(bool shown) {
    savedMarkerShown_ = shown;
    imgSaved_->setVisible(shown);
}

// --- Handlers -------------------------------------------------------------------------------

void FrmMedia::onRemember() {
    if (!shownKey_ || settings_ == nullptr) {
        return;
    }
    const Result saved = RememberGameSettings(settings_->AppPath, *shownKey_, choices());
    if (!saved) {
        return reportWriteFailure("This game's settings", saved);
    }
    setSavedMarker(true);
}

void FrmMedia::onDefaults() {
    showChoices(DefaultGameChoices());
}

void FrmMedia::onSaveNote() {
    if (!shownKey_ || settings_ == nullptr) {
        return;
    }
    const Result saved =
        SaveGameNote(settings_->AppPath, *shownKey_, txtNotes_->toPlainText().toStdString());
    if (!saved) {
        reportWriteFailure("The note", saved);
    }
}

void FrmMedia::onCapture() {
    if (!shownKey_ || settings_ == nullptr || clipboard_ == nullptr) {
        return;
    }
    reportCapture(SaveClipboardScreenshot(*clipboard_, captureTab_->sizeText().toStdString(),
                                          captureTab_->compressionText().toStdString(),
                                          ScreenshotSavePath(settings_->SnapsPath, *shownKey_)));
}

bool FrmMedia::eventFilter(QObject* watched, QEvent* event) {
    if (watched != pages_[kImageTab]) {
        return ChildWindow::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::DragEnter: {
            auto* drag = static_cast<QDragEnterEvent*>(event);
            if (drag->mimeData()->hasUrls() || OffersPicture(*drag->mimeData())) {
                drag->acceptProposedAction();
            }
            return true;
        }
        case QEvent::Drop:
            onPictureGiven(static_cast<QDropEvent*>(event)->mimeData());
            return true;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
                onPictureGiven(QGuiApplication::clipboard()->mimeData());
                return true;
            }
            break;
        default:
            break;
    }
    return ChildWindow::eventFilter(watched, event);
}

void FrmMedia::onPictureGiven(const QMimeData* data) {
    if (!shownKey_ || settings_ == nullptr || data == nullptr) {
        return;
    }
    const std::filesystem::path target = ScreenshotSavePath(settings_->SnapsPath, *shownKey_);
    const std::string size = captureTab()->sizeText().toStdString();
    const std::string compression = captureTab()->compressionText().toStdString();
    std::string why;
    if (const std::optional<QImage> picture = PictureOfMimeData(*data, &why)) {
        reportCapture(SaveScreenshot(picture, size, compression, target));
    } else if (data->hasUrls() && data->urls().value(0).isLocalFile()) {
        const QByteArray file = QFile::encodeName(data->urls().value(0).toLocalFile());
        reportCapture(SavePictureFileAsScreenshot(file.toStdString(), size, compression, target));
    } else if (!why.empty()) {
        CaptureResult refused;
        refused.outcome = CaptureOutcome::NotAPicture;
        refused.description = why;
        reportCapture(refused);
    } else if (messages_ != nullptr) {
        messages_->show({"Only a picture (PNG, JPEG or BMP) can become the game's screenshot.",
                         "Brackmoor", MessageIcon::Information});
    }
}

// The new screenshot is shown at once; what went wrong is said.
void FrmMedia::reportCapture(const CaptureResult& result) {
    std::string text;
    switch (result.outcome) {
        case CaptureOutcome::Saved:
            showScreenshot(shownKey_);
            return;
        case CaptureOutcome::UnknownSize:
            return;
        case CaptureOutcome::NoPicture:
            text = "The clipboard holds no picture. Press Print Screen in the emulator first.";
            break;
        case CaptureOutcome::NotAPicture:
            text = result.description;
            break;
        case CaptureOutcome::WriteFailed:
            text = result.description + (result.reason.empty() ? "" : " (" + result.reason + ")");
            break;
    }
    if (messages_ != nullptr) {
        messages_->show({text, "Brackmoor", MessageIcon::Exclamation});
    }
}

void FrmMedia::reportWriteFailure(const char* what, const Result& result) {
    if (messages_ != nullptr) {
        // The file as it is spelled on disk, whatever its letter case.
        messages_->show({std::string(what) + " could not be saved to \"" +
                             ResolveIgnoringCase(GameSettingsPath(settings_->AppPath)).string() +
                             "\": " + result.error(),
                         "Brackmoor", MessageIcon::Exclamation, MessageButtons::Ok});
    }
}

}  // namespace brackmoor
