#pragma once

#include <QMainWindow>
#include <functional>

#include "platform/messages.h"
#include "settings/launcher_settings.h"

class QDialog;
class QMdiArea;
class QMdiSubWindow;

namespace brackmoor {

class FrmFiles;
class FrmFolderBar;
class FrmMedia;
struct SettingsLoad;

// The main window "Brackmoor": the frame of the three child windows. It coordinates start-up
// and the menus; the children own their own behaviour.
class FrmMDIMain : public QMainWindow {
    Q_OBJECT
public:
    // `settings.AppPath` names the application folder; messages go through `messages`.
    FrmMDIMain(LauncherSettings settings, MessageSink& messages, QWidget* parent = nullptr);

    // The load handler: the "Snaps" folder, the options dialog on a first start, the settings,
    // the window positions. Run once, before the window is first shown.
    void load();

    // How modal dialogs are run; tests replace it to answer a dialog without a modal loop.
    void setDialogRunner(std::function<int(QDialog&)> runner) { runDialog_ = std::move(runner); }

    const LauncherSettings& settings() const { return settings_; }
    FrmFolderBar* folderBar() const { return frmFolderBar_; }
    FrmFiles* files() const { return frmFiles_; }
    FrmMedia* media() const { return frmMedia_; }

private:
    void buildControls();
    void buildMenus();
    void ensureSnapsFolder();
    void openOptions();
    void LoadSettings();
    void applySettingsLoad(const SettingsLoad& load);
    void LoadWindowPositions();

    LauncherSettings settings_;
    MessageSink& messages_;
    std::function<int(QDialog&)> runDialog_;

    QMdiArea* mdiArea_ = nullptr;
    FrmFolderBar* frmFolderBar_ = nullptr;
    FrmFiles* frmFiles_ = nullptr;
    FrmMedia* frmMedia_ = nullptr;
};

}  // namespace brackmoor
