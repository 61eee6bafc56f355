#include "app/frm_mdi_main.h"

#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>

#include "app/frm_help_about.h"
#include "app/main_menu.h"
#include "app/window_layout.h"
#include "browser/folder_bar_rules.h"
#include "browser/frm_files.h"
#include "browser/frm_find.h"
#include "browser/frm_folder_bar.h"
#include "imaging/picture_clipboard.h"
#include "launch/launch_plan.h"
#include "media/frm_media.h"
#include "options/frm_options.h"
#include "platform/file_lookup.h"
#include "platform/path_rules.h"
#include "platform/process_starter.h"
#include "platform/qt_volumes.h"
#include "settings/profile_values.h"
#include "settings/startup.h"
#include "settings/window_placement.h"

namespace brackmoor {

namespace {

void FillChoices(QComboBox* list, const std::vector<std::string>& items) {
    for (const std::string& item : items) {
        list->addItem(QString::fromStdString(item));
    }
}

}  // namespace

FrmMDIMain::FrmMDIMain(LauncherSettings settings, MessageSink& messages, QWidget* parent)
    : QMainWindow(parent),
      settings_(std::move(settings)),
      messages_(messages),
      runDialog_([](QDialog& dialog) { return dialog.exec(); }),
      ownStarter_(std::make_unique<PosixProcessStarter>()),
      starter_(ownStarter_.get()),
      clipboard_(std::make_unique<QtPictureClipboard>()) {
    setObjectName("frmMDIMain");
    setWindowTitle("Brackmoor");
    buildControls();
    connectChildren();
    connectMenu();
}

FrmMDIMain::~FrmMDIMain() = default;

void FrmMDIMain::setClipboard(std::unique_ptr<PictureClipboard> clipboard) {
    clipboard_ = std::move(clipboard);
    frmMedia_->attach(&settings_, &messages_, clipboard_.get());
}

// The children report what happened; this window passes it on.
void FrmMDIMain::connectChildren() {
    frmMedia_->attach(&settings_, &messages_, clipboard_.get());
    frmFolderBar_->attach(&settings_, &messages_, [this](const std::optional<std::string>& folder) {
        return frmFiles_->showFolder(folder);
    });
    connect(frmFiles_, &FrmFiles::selectionHandled, this, [this](const FileListState& state) {
        frmMedia_->showGame(state.gameKey);
        frmMedia_->setMultiSelectMode(state.selectedCount > 1);
    });
    connect(frmFiles_, &FrmFiles::filesShown, frmMedia_, &FrmMedia::setFolderHasFiles);
    connect(frmFiles_, &FrmFiles::launchRequested, this, &FrmMDIMain::launch);
    connect(frmFiles_, &FrmFiles::launchMultipleRequested, this, &FrmMDIMain::LaunchMultiple);
    connect(frmMedia_, &FrmMedia::stopperClicked, frmFiles_, &FrmFiles::keepFirstSelected);
}

void FrmMDIMain::buildControls() {
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName("mdiArea");
    mdiArea_->setBackground(palette().brush(QPalette::Dark));  // the application workspace
    setCentralWidget(mdiArea_);

    frmFolderBar_ = new FrmFolderBar;
    frmFiles_ = new FrmFiles;
    frmMedia_ = new FrmMedia;
    const std::array<QMdiSubWindow*, 3> children = {frmFolderBar_, frmFiles_, frmMedia_};
    for (QMdiSubWindow* child : children) {
        mdiArea_->addSubWindow(child);
        child->hide();  // shown at their saved places by the load
    }
    layout_ = std::make_unique<WindowLayout>(children);
    menu_ = new MainMenu(menuBar(), this);
    resize(1024, 720);
}

void FrmMDIMain::connectMenu() {
    connect(menu_, &MainMenu::exitProgram, this, &QWidget::close);
    connect(menu_, &MainMenu::paths, this, &FrmMDIMain::openPaths);
    connect(menu_, &MainMenu::saveWindowPositions, this, &FrmMDIMain::saveWindowPositions);
    connect(menu_, &MainMenu::restoreWindowDefaults, this, &FrmMDIMain::restoreWindowDefaults);
    connect(menu_, &MainMenu::findGame, this, &FrmMDIMain::findGame);
    connect(menu_, &MainMenu::showHelp, this, [this] { showHelpAbout(true); });
    connect(menu_, &MainMenu::showAbout, this, [this] { showHelpAbout(false); });
}

double FrmMDIMain::logicalDpi() const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

void FrmMDIMain::load() {
    ensureSnapsFolder();
    if (!SettingsFileExists(settings_.AppPath)) {
        openOptions();
    }
    LoadSettings();
    LoadWindowPositions();
    const std::vector<Volume> volumes = ListVolumes();
    frmFolderBar_->setVolumes(volumes, VolumeOf(settings_.CurrentGameDir, volumes));
    frmFolderBar_->FillDirList();
}

void FrmMDIMain::ensureSnapsFolder() {
    const Result made =
        EnsureSnapsFolder(settings_.SnapsPath, [this] { messages_.show(SnapsMissingMessage()); });
    if (!made) {
        messages_.show(
            CannotWriteMessage("the 'Snaps' folder in " + settings_.SnapsPath, made.error()));
    }
}

void FrmMDIMain::openOptions() {
    FrmOptions options(settings_.AppPath, messages_, nullptr, this);
    runDialog_(options);
    if (options.outcome() != OptionsOutcome::Closed) {
        settings_.OptionsCancelled = options.outcome() == OptionsOutcome::Cancelled;
    }
}

void FrmMDIMain::LoadSettings() {
    applySettingsLoad(brackmoor::LoadSettings(settings_));
}

void FrmMDIMain::applySettingsLoad(const SettingsLoad& load) {
    settings_ = load.settings;
    QComboBox* configs = frmMedia_->cmbConfigToUse();
    QComboBox* workbenches = frmMedia_->cmbWBUse();
    const QSignalBlocker blockConfigs(configs);
    const QSignalBlocker blockWorkbenches(workbenches);
    configs->clear();
    workbenches->clear();
    FillChoices(configs, load.configItems);
    configs->setCurrentIndex(load.selectFirstConfig ? 0 : -1);
    if (load.workbenchItems) {
        workbenches->addItem("NONE");
        FillChoices(workbenches, *load.workbenchItems);
        workbenches->setCurrentIndex(load.selectFirstWorkbench ? 0 : -1);
    }
    // The load looked at the start folder already; should it vanish in between, the media
    // went missing, as the load would have said.
    bool listed = !load.folderBarPath || frmFolderBar_->setDlbFoldersPath(*load.folderBarPath);
    listed = (!load.fileListPath || frmFiles_->setPath(*load.fileListPath)) && listed;
    if (!listed) {
        messages_.show(MissingMediaMessage());
    }
    for (const Message& message : load.messages) {
        messages_.show(message);
    }
}

void FrmMDIMain::LoadWindowPositions() {
    std::array<WindowPlacement, 3> saved{};
    for (std::size_t i = 0; i < saved.size(); ++i) {
        saved[i] = ReadWindowPlacement(settings_.AppPath, kDefaultWindowPlacements[i].section);
    }
    layout_->place(saved, logicalDpi());
    layout_->show();
}

void FrmMDIMain::saveWindowPositions() {
    const Result saved = SaveWindowPlacements(settings_.AppPath, layout_->current(logicalDpi()));
    if (!saved) {
        // The file as it is spelled on disk, whatever the letter case the program asks for.
        messages_.show(CannotWriteMessage(
            "the settings file " +
                ResolveIgnoringCase(SettingsFilePath(settings_.AppPath)).string(),
            saved.error()));
    }
}

void FrmMDIMain::restoreWindowDefaults() {
    std::array<WindowPlacement, 3> defaults{};
    std::copy(std::begin(kDefaultWindowPlacements), std::end(kDefaultWindowPlacements),
              defaults.begin());
    layout_->place(defaults, logicalDpi());
    layout_->show();
}

void FrmMDIMain::findGame() {
    FrmFind finder(settings_.CurrentGameDir, messages_, this);
    connect(&finder, &FrmFind::gameChosen, this, &FrmMDIMain::showFoundGame);
    runDialog_(finder);
}

void FrmMDIMain::showFoundGame(const std::string& path) {
    FoundGamePath_ = path;
    const auto name = LastComponent(path, kNativePathStyle);
    if (!name) {
        return;
    }
    frmFolderBar_->goToFolder(ParentPath(path, kNativePathStyle));
    frmFiles_->selectByName(*name);
}

void FrmMDIMain::showHelpAbout(bool helpMode) {
    HelpMode_ = helpMode;
    FrmHelpAbout window(HelpMode_, this);
    runDialog_(window);
}

void FrmMDIMain::openPaths() {
    openOptions();
    if (!settings_.OptionsCancelled) {
        messages_.show({"Please restart the 'Brackmoor' for changes to take place", "Brackmoor",
                        MessageIcon::Information});
        close();
    }
}

}  // namespace brackmoor

namespace brackmoor {

LaunchContext FrmMDIMain::launchContext() const {
    LaunchContext context;
    context.gameFolder = GameFolder(frmFolderBar_->selectedEntry(), frmFolderBar_->driveRoot(),
                                    frmFolderBar_->dlbFoldersPath());
    context.readChoices = [this] { return frmMedia_->choices(); };
    context.settings = &settings_;
    context.starter = starter_;
    return context;
}

void FrmMDIMain::launch() {
    reportLaunch(RunLaunch(*frmFiles_, frmMedia_->autoloadABCD(), launchContext()));
}

void FrmMDIMain::LaunchMultiple() {
    reportLaunch(RunLaunchMultiple(*frmFiles_, launchContext()));
}

void FrmMDIMain::reportLaunch(const LaunchOutcome& outcome) {
    if (outcome.kind == LaunchOutcome::Kind::PathsWrong) {
        ShowPathsWrong(messages_);
    } else if (const auto message = LaunchMessage(outcome)) {
        messages_.show(*message);
    }
}

}  // namespace brackmoor
