#pragma once

#include <functional>
#include <string>
#include <vector>

#include "launch/launch_plan.h"
#include "platform/qt_child_window.h"
#include "platform/result.h"

class QItemSelection;
class QListView;

namespace brackmoor {

class FileListModel;
class FrmMedia;
struct LauncherSettings;

// The "Files" child window: every file of the folder the folder bar chose, in name order, with
// extended selection. Every change of the selection, by the user or by the program, runs the
// selection handling once: the focused game's screenshot, capture name and record in the media
// window, at most four items selected, and multi-select mode when two or more are.
class FrmFiles : public ChildWindow, public FileListView {
    Q_OBJECT
public:
    explicit FrmFiles(QWidget* parent = nullptr);

    // What the window works with, owned elsewhere: the settings (AppPath), the media window,
    // and what a double click and a right click over several selected files start.
    void attach(const LauncherSettings* settings, FrmMedia* media, std::function<void()> launch,
                std::function<void()> launchMultiple);

    QListView* flbFiles() const { return flbFiles_; }

    // Lists the files of `folder`; nothing is selected afterwards. When the folder cannot be
    // read, the list keeps what it showed and the reason is returned.
    Result setPath(const std::string& folder);
    const std::string& path() const { return path_; }

    // FileListView: positions, names, selection and the focused item.
    int count() const override;
    bool isSelected(int index) const override;
    // Selecting makes the item the focused one; a change runs the selection handling before it
    // returns.
    void setSelected(int index, bool selected) override;
    std::string name(int index) const override;
    int focusedIndex() const override;

    // Runs the selection handling, as every change of the selection does.
    void runSelectionHandling();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void onSelectionChanged();
    void showScreenshot(const std::optional<std::string>& gameKey);
    int capSelection();

    const LauncherSettings* settings_ = nullptr;
    FrmMedia* media_ = nullptr;
    std::function<void()> launch_;
    std::function<void()> launchMultiple_;

    QListView* flbFiles_ = nullptr;
    FileListModel* model_ = nullptr;
    std::string path_;
    // Set while the program changes the selection itself, so that the change runs the
    // selection handling once, afterwards, instead of once per step.
    bool programChange_ = false;
};

}  // namespace brackmoor
