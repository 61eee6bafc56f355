#include "media/frm_media.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <type_traits>

#include "launch/naming_rules.h"
#include "media/media_artwork.h"
#include "media/media_layout.h"
#include "media/notes_box.h"
#include "platform/messages.h"
#include "settings/launcher_settings.h"

namespace brackmoor {

namespace {

enum Tab { kNoTab = -1, kImageTab = 0, kCaptureTab = 1, kOptionsTab = 2, kNotesTab = 3 };

// The window's first size: the design client area (4680 x 3810) plus a usual frame.
constexpr Size2 kInitialWindow{4800, 4260};

const char* const kCaptureInstructions =
    "In WinUAE, while playing a game press \"PRINT SCREEN\" on the keyboard.  When your happy, "
    "return to here and select a size to save (JPG). ";

// The list position a combo box stands for: its current entry, or -1 when it has none or the
// user has typed something else into its text field.
int ChosenPosition(const QComboBox* combo) {
    const int index = combo->currentIndex();
    if (index < 0 || (combo->isEditable() && combo->currentText() != combo->itemText(index))) {
        return -1;
    }
    return index;
}

void ChoosePosition(QComboBox* combo, int position) {
    if (position >= 0 && position < combo->count()) {
        combo->setCurrentIndex(position);
        combo->setEditText(combo->itemText(position));
    } else {
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
    }
}

// A drop-down list with a text field the user may type into, as the choice lists are.
void MakeChoiceList(QComboBox* combo) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
}

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
                      CurrentGameSource* currentGame, FileSelection* selection) {
    settings_ = settings;
    messages_ = messages;
    currentGame_ = currentGame;
    selection_ = selection;
}

void FrmMedia::loadArtwork() {
    QImage placeholder(":/media/placeholder.jpg");
    if (placeholder.isNull()) {
        placeholder = DrawPlaceholderPicture();
    }
    placeholder_ = QPixmap::fromImage(placeholder);
}

template <typename W>
W* FrmMedia::place(W* widget, const char* name, int tab, int left, int top, int width, int height) {
    widget->setObjectName(name);
    const int dx = logicalDpiX();
    const int dy = logicalDpiY();
    widget->setGeometry(TwipsToPixels(left, dx), TwipsToPixels(top, dy), TwipsToPixels(width, dx),
                        TwipsToPixels(height, dy));
    if constexpr (std::is_base_of_v<QLabel, W>) {
        widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // captions sit above their boxes
    }
    if (tab == kNoTab) {
        widget->hide();
    } else {
        tabControls_[static_cast<std::size_t>(tab)].push_back(widget);
    }
    return widget;
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

    tabMedia_ = place(new QTabWidget(client_), "tabMedia", kNoTab, 0, 0, 4590, 3690);
    tabMedia_->show();
    // All four tabs stay in view at the minimum width, their captions shortened if need be.
    tabMedia_->setUsesScrollButtons(false);
    auto* compact = new CompactTabStyle;
    compact->setParent(tabMedia_->tabBar());
    tabMedia_->tabBar()->setStyle(compact);
    tabMedia_->setElideMode(Qt::ElideRight);
    for (const char* caption : {"Image", "Capture", "Game Options", "Game Info/Notes"}) {
        auto* page = new QWidget(tabMedia_);
        tabMedia_->addTab(page, caption);
    }
    buildImageTab();
    buildCaptureTab();
    buildOptionsTab();
    buildNotesTab();

    cmdStopper_ = place(new QPushButton("No Editing In MultiSelect Mode!", client_), "cmdStopper",
                        kNoTab, 825, 1275, 2790, 615);
    cmdStopper_->raise();

    showTabControls();
}

void FrmMedia::buildImageTab() {
    imgMedia_ = place(new QLabel(tabMedia_), "imgMedia", kImageTab, 75, 375, 4425, 3210);
    imgMedia_->setScaledContents(true);
    imgMedia_->setPixmap(placeholder_);
}

void FrmMedia::buildCaptureTab() {
    QWidget* t = tabMedia_;
    Label3_ =
        place(new QLabel(kCaptureInstructions, t), "Label3", kCaptureTab, 75, 450, 4290, 1215);
    Label3_->setWordWrap(true);
    place(new QLabel("Image Name To Save As", t), "Label6", kCaptureTab, 150, 1350, 3765, 315);
    txtimgname_ = place(new QLineEdit(t), "txtimgname", kCaptureTab, 150, 1575, 4140, 315);
    txtimgname_->setReadOnly(true);
    place(new QLabel("Compression", t), "Label4", kCaptureTab, 150, 2025, 1140, 315);
    place(new QLabel("Image Size", t), "Label5", kCaptureTab, 2250, 2025, 2115, 315);
    txtJPGcompession_ =
        place(new QLineEdit("80", t), "txtJPGcompession", kCaptureTab, 150, 2250, 1140, 285);
    txtJPGcompession_->setToolTip("100=Lossless 1=Bad");
    cmbImageSize_ = place(new QComboBox(t), "cmbImageSize", kCaptureTab, 2250, 2250, 2040, 315);
    MakeChoiceList(cmbImageSize_);
    cmbImageSize_->addItems({"Full 100%", "Half 50%", "Third 33%"});
    ChoosePosition(cmbImageSize_, 1);
    cmbImageSize_->setToolTip("How big will the picture be.");
    cmdSave_ = place(new QPushButton("Save", t), "cmdSave", kCaptureTab, 1050, 2925, 2415, 390);
    cmdSave_->setToolTip("Save the Clipboard now!");
    // Working pictures of the capture; never shown.
    ImgClip_ = place(new QLabel(t), "ImgClip", kNoTab, 75, 2775, 690, 690);
    Picture1_ = place(new QLabel(t), "Picture1", kNoTab, 75, 3075, 765, 465);
    Picture1_->setPixmap(placeholder_);
    pictemp_ = place(new QLabel(t), "pictemp", kNoTab, 150, 3150, 465, 465);
}

void FrmMedia::buildOptionsTab() {
    QWidget* t = tabMedia_;
    place(new QLabel("Config To Use", t), "Label1", kOptionsTab, 150, 450, 3315, 240);
    cmbConfigToUse_ = place(new QComboBox(t), "cmbConfigToUse", kOptionsTab, 150, 675, 4140, 315);
    MakeChoiceList(cmbConfigToUse_);
    cmbConfigToUse_->setToolTip("Which WinUAE config to use with this game.");
    place(new QLabel("WorkBench To Use", t), "Label2", kOptionsTab, 150, 1050, 3465, 240);
    cmbWBUse_ = place(new QComboBox(t), "cmbWBUse", kOptionsTab, 150, 1275, 4140, 315);
    MakeChoiceList(cmbWBUse_);
    cmbWBUse_->setToolTip("This Workbench will be mounted on Drive0 before the selected game(s).");
    chkAutoABCD_ =
        place(new QCheckBox("Autoload ABCD", t), "chkAutoABCD", kOptionsTab, 150, 1800, 2115, 315);
    chkAutoABCD_->setToolTip("If your games end in ABCD, this will automount the next floppy.");
    cmddefault_ =
        place(new QPushButton("Defaults", t), "cmddefault", kOptionsTab, 2700, 1800, 1590, 390);
    cmddefault_->setToolTip("Quick restore to top values on all.");
    chkDissableUnused_ = place(new QCheckBox("Dissable Unused Drives", t), "chkDissableUnused",
                               kOptionsTab, 150, 2025, 2190, 465);
    chkDissableUnused_->setToolTip("Some games wont run with 1 or more floppy drives.");
    chkDissableUnused_->setChecked(true);
    cmdSaveSettings_ = place(new QPushButton("Remember This Game's Settings", t), "cmdSaveSettings",
                             kOptionsTab, 900, 2850, 2640, 390);
    cmdSaveSettings_->setToolTip("Save this games settings.");
    imgSaved_ = place(new QLabel(t), "imgSaved", kOptionsTab, 3600, 2925, 210, 210);
    imgSaved_->setScaledContents(true);
    QImage marker(":/media/floppy.png");
    imgSaved_->setPixmap(QPixmap::fromImage(marker.isNull() ? DrawFloppyMarker() : marker));
    imgSaved_->setToolTip("This game has saved settings");
}

void FrmMedia::buildNotesTab() {
    cmdsavenotes_ =
        place(new QPushButton("Save", tabMedia_), "cmdsavenotes", kNotesTab, 75, 375, 690, 315);
    cmdsavenotes_->setToolTip("Save a note for this game (500 letters max)");
    txtNotes_ = place(new NotesBox(tabMedia_), "txtNotes", kNotesTab, 75, 750, 4440, 2865);
}

void FrmMedia::connectControls() {
    connect(tabMedia_, &QTabWidget::currentChanged, this, &FrmMedia::showTabControls);
    connect(cmdSaveSettings_, &QPushButton::clicked, this, &FrmMedia::onRemember);
    connect(cmddefault_, &QPushButton::clicked, this, &FrmMedia::onDefaults);
    connect(cmdsavenotes_, &QPushButton::clicked, this, &FrmMedia::onSaveNote);
    connect(cmdStopper_, &QPushButton::clicked, this, &FrmMedia::onStopper);
    connect(txtJPGcompession_, &QLineEdit::textChanged, this, &FrmMedia::onCompressionChanged);
    txtJPGcompession_->installEventFilter(this);
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
}

void FrmMedia::showTabControls() {
    const int current = tabMedia_->currentIndex();
    for (int tab = 0; tab < static_cast<int>(tabControls_.size()); ++tab) {
        for (QWidget* control : tabControls_[static_cast<std::size_t>(tab)]) {
            const bool shown = tab == current && (control != imgSaved_ || savedMarkerShown_);
            control->setVisible(shown);
            if (shown) {
                control->raise();
            }
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

bool FrmMedia::eventFilter(QObject* watched, QEvent* event) {
    // The compression box takes only digits, "-" and "."; editing keys pass, Enter does not.
    if (watched == txtJPGcompession_ && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1) {
            const QChar c = text.at(0);
            const bool enter = c == QChar('\r') || c == QChar('\n');
            if (enter || (c.isPrint() && (c.unicode() > 0x7F ||
                                          !IsCompressionKey(static_cast<char>(c.unicode()))))) {
                return true;
            }
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

// --- What the file list drives ------------------------------------------------------------

void FrmMedia::showScreenshot(const QImage& picture) {
    if (picture.isNull()) {
        showPlaceholder();
    } else {
        imgMedia_->setPixmap(QPixmap::fromImage(picture));
    }
}

void FrmMedia::showPlaceholder() {
    imgMedia_->setPixmap(placeholder_);
}

void FrmMedia::setImageName(const QString& name) {
    txtimgname_->setText(name);
}

void FrmMedia::loadGameSettings(const std::string& gameKey) {
    GameRecord record;
    // A file whose name gives no key has no record; it shows the defaults.
    if (settings_ != nullptr && !gameKey.empty()) {
        record = LoadGameSettings(settings_->AppPath, gameKey, cmbConfigToUse_->count(),
                                  cmbWBUse_->count());
    }
    showRecord(record);
}

void FrmMedia::setMultiSelectMode(bool on) {
    tabMedia_->setEnabled(!on);
    cmdStopper_->setVisible(on);
    if (on) {
        cmdStopper_->raise();
    }
}

bool FrmMedia::multiSelectMode() const {
    return !cmdStopper_->isHidden();
}

GameChoices FrmMedia::choices() const {
    return GameChoices{configPosition(), workbenchPosition(), autoloadABCD(),
                       disableUnusedDrives()};
}

int FrmMedia::configPosition() const {
    return ChosenPosition(cmbConfigToUse_);
}
int FrmMedia::workbenchPosition() const {
    return ChosenPosition(cmbWBUse_);
}
bool FrmMedia::autoloadABCD() const {
    return chkAutoABCD_->isChecked();
}
bool FrmMedia::disableUnusedDrives() const {
    return chkDissableUnused_->isChecked();
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
    chkAutoABCD_->setChecked(choices.autoloadABCD);
    chkDissableUnused_->setChecked(choices.disableUnusedDrives);
}

void FrmMedia::setSavedMarker(bool shown) {
    savedMarkerShown_ = shown;
    showTabControls();
}

std::optional<std::string> FrmMedia::currentGameKey() const {
    if (currentGame_ == nullptr || settings_ == nullptr) {
        return std::nullopt;
    }
    auto key = currentGame_->currentGameKey();
    if (!key || key->empty()) {
        return std::nullopt;
    }
    return key;
}

// --- Handlers -------------------------------------------------------------------------------

void FrmMedia::onRemember() {
    const auto key = currentGameKey();
    if (!key) {
        return;
    }
    const Result saved = RememberGameSettings(settings_->AppPath, *key, choices());
    if (!saved) {
        if (messages_ != nullptr) {
            messages_->show({"This game's settings could not be saved to \"" +
                                 GameSettingsPath(settings_->AppPath).string() +
                                 "\": " + saved.error(),
                             "Brackmoor", MessageIcon::Exclamation, MessageButtons::Ok});
        }
        return;
    }
    setSavedMarker(true);
}

void FrmMedia::onDefaults() {
    showChoices(DefaultGameChoices());
}

void FrmMedia::onSaveNote() {
    const auto key = currentGameKey();
    if (!key) {
        return;
    }
    const Result saved =
        SaveGameNote(settings_->AppPath, *key, txtNotes_->toPlainText().toStdString());
    if (!saved && messages_ != nullptr) {
        messages_->show({"The note could not be saved to \"" +
                             GameSettingsPath(settings_->AppPath).string() + "\": " + saved.error(),
                         "Brackmoor", MessageIcon::Exclamation, MessageButtons::Ok});
    }
}

void FrmMedia::onStopper() {
    if (selection_ == nullptr || selection_->count() == 0) {
        return;
    }
    // Selecting the item again runs the file list's selection handling, which reloads this
    // window and leaves the multi-select mode.
    const int first = FirstSelectedIndex(*selection_);
    DeselectAllFiles(*selection_);
    selection_->setSelected(first, true);
}

void FrmMedia::onCompressionChanged(const QString& text) {
    if (const auto clamped = ClampCompressionText(text.toStdString())) {
        txtJPGcompession_->setText(QString::fromStdString(*clamped));
    }
}

}  // namespace brackmoor
