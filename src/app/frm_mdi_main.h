#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "platform/messages.h"
#include "settings/launcher_settings.h"

class QDialog;
class QMdiArea;
class QMdiSubWindow;

namespace brackmoor {

class FrmFiles;
class MainMenu;
class PictureClipboard;
class WindowLayout;
class FrmFolderBar;
class FrmMedia;
class ProcessStarter;
struct LaunchContext;
struct LaunchOutcome;
struct SettingsLoad;

// The main window "Brackmoor": the frame of the three child windows. It coordinates start-up
// and the menus and routes what one child reports to the others; the children own their own
// behaviour and know nothing of each other.
class FrmMDIMain : public QMainWindow {
    Q_OBJECT
public:
    // `settings.AppPath` and `SnapsPath` name the folders of its state; messages go through
    // `messages`.
    FrmMDIMain(LauncherSettings settings, MessageSink& messages, QWidget* parent = nullptr);

    // The load handler: the "Snaps" folder, the options dialog on a first start, the settings,
    // the window positions. Run once, before the window is first shown.
    void load();

    ~FrmMDIMain() override;

    // Starts the focused game (a double click in the file list), with its lettered set when
    // "Autoload ABCD" is on.
    void launch();
    // Starts the first four selected disks together (a right click over several).
    void LaunchMultiple();

    // The Options menu: the options dialog, then a restart unless it was cancelled; the
    // window positions written to the settings file, or put back to the defaults.
    void openPaths();
    void saveWindowPositions();
    void restoreWindowDefaults();

    // The File menu's finder; a result chosen there is shown in the folder bar and the file list.
    void findGame();
    void showFoundGame(const std::string& path);
    // The Help menu: the help document (HelpMode) or the about picture.
    void showHelpAbout(bool helpMode);

    // The clipboard the capture reads; tests replace it with a scripted one.
    void setClipboard(std::unique_ptr<PictureClipboard> clipboard);
    // How the emulator is started; tests replace it to see the request.
    void setProcessStarter(ProcessStarter* starter) { starter_ = starter; }
    // How modal dialogs are run; tests replace it to answer a dialog without a modal loop.
    void setDialogRunner(std::function<int(QDialog&)> runner) { runDialog_ = std::move(runner); }

    const LauncherSettings& settings() const { return settings_; }
    FrmFolderBar* folderBar() const { return frmFolderBar_; }
    FrmFiles* files() const { return frmFiles_; }
    FrmMedia* media() const { return frmMedia_; }

private:
    void buildControls();
    void connectChildren();
    void connectMenu();
    void ensureSnapsFolder();
    void openOptions();
    void LoadSettings();
    void applySettingsLoad(const SettingsLoad& load);
    void LoadWindowPositions();
    LaunchContext launchContext() const;
    void reportLaunch(const LaunchOutcome& outcome);

    LauncherSettings settings_;
    MessageSink& messages_;
    // The last game chosen in the finder, as a full path.
    std::string FoundGamePath_;
    bool HelpMode_ = false;
    std::function<int(QDialog&)> runDialog_;
    std::unique_ptr<ProcessStarter> ownStarter_;
    ProcessStarter* starter_ = nullptr;
    std::unique_ptr<PictureClipboard> clipboard_;

    double logicalDpi() const;

    QMdiArea* mdiArea_ = nullptr;
    MainMenu* menu_ = nullptr;
    std::unique_ptr<WindowLayout> layout_;
    FrmFolderBar* frmFolderBar_ = nullptr;
    FrmFiles* frmFiles_ = nullptr;
    FrmMedia* frmMedia_ = nullptr;
};

}  // namespace brackmoor
