#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/qt_child_window.h"
#include "platform/result.h"
#include "platform/volumes.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace brackmoor {

class MessageSink;
struct LauncherSettings;

// The "Folders" child window: the drive list, the back button and the subfolders of the
// current folder. A click on a folder shows its files in the file list, a double click enters
// it, the back button goes up, a right-button press reads the folder again (after a CD change).
class FrmFolderBar : public ChildWindow {
    Q_OBJECT
public:
    explicit FrmFolderBar(QWidget* parent = nullptr);

    // Shows the files of a folder (or, without one, the files shown already) with the first
    // selected; the reason when the folder cannot be listed.
    using FolderShower = std::function<Result(const std::optional<std::string>& folder)>;

    // What the window works with, owned elsewhere: the settings (CurrentGameDir and
    // PreviousGameDir change here), the message boxes, and what shows a folder's files.
    void attach(LauncherSettings* settings, MessageSink* messages, FolderShower showFolder);
    // The drive list's volumes; `current` is chosen without acting on it. Their roots are where
    // the folder list begins with "*Root*" and the back button stops.
    void setVolumes(const std::vector<Volume>& volumes, const std::string& current);

    // The hidden folder enumerator (dlbFolders): a folder and its subfolders.
    Result setDlbFoldersPath(const std::string& path);
    const std::string& dlbFoldersPath() const { return dlbFoldersPath_; }

    // Rebuilds the folder list from the current folder, selects its first entry and shows
    // that entry's files.
    void FillDirList();
    // Points the file list at the folder the selected entry names.
    void ChangeDir();

    // Moves to `folder` and shows its files: the folder list shows its parent's subfolders
    // with `folder` selected (or "*Root*" at a volume root). Guarded like a double click.
    void goToFolder(const std::string& folder);

    // What the launch reads: the selected entry and the chosen volume's root.
    std::string selectedEntry() const;
    std::string driveRoot() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectControls();
    Result changeDirSteps();
    // Rebuilds the folder list from the current folder, selecting `entry` (else the first).
    void fillEntries(const std::string& entry = std::string());
    void onDoubleClick();
    void onBack();
    void onDriveChanged();
    void onRefresh();
    // Ends a guarded handler: a failure of the file system is reported as missing media.
    void reportFailure(const Result& result);

    LauncherSettings* settings_ = nullptr;
    MessageSink* messages_ = nullptr;
    FolderShower showFolder_;

    QPushButton* cmdback_ = nullptr;
    QComboBox* Drive1_ = nullptr;
    QListWidget* lstFolders_ = nullptr;
    // The folder enumerator is never shown; its control carries the folder it holds.
    QLabel* dlbFolders_ = nullptr;
    std::string dlbFoldersPath_;
    std::vector<std::string> dlbSubfolders_;
    std::vector<Volume> volumes_;
};

}  // namespace brackmoor
