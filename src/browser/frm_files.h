#pragma once

#include <optional>
#include <string>

#include "launch/launch_plan.h"
#include "platform/qt_child_window.h"
#include "platform/result.h"

class QListView;

namespace brackmoor {

class FileListModel;
class FilesView;

// What the selection handling found: the focused file's game key (none for an empty list or a
// name that gives none) and how many files are selected.
struct FileListState {
    std::optional<std::string> gameKey;
    int selectedCount = 0;
};

// The "Files" child window: every file of the folder the folder bar chose, in name order, with
// extended selection. Whenever the focused item or the selection changes, by the user (mouse,
// drag, keyboard) or by the program, the selection handling runs once: at most four files stay
// selected, then selectionHandled tells what the window now stands on.
class FrmFiles : public ChildWindow, public FileListView {
    Q_OBJECT
public:
    explicit FrmFiles(QWidget* parent = nullptr);
    ~FrmFiles() override;

    QListView* flbFiles() const;

    // Lists the files of `folder`; nothing is selected afterwards. When the folder cannot be
    // read, the list keeps what it showed and the reason is returned.
    Result setPath(const std::string& folder);
    const std::string& path() const { return path_; }

    // What the folder bar asks for: the files of `folder` (or the ones shown, without a
    // folder), with the first selected; filesShown tells whether there are any.
    Result showFolder(const std::optional<std::string>& folder);

    // Leaves multi-select mode: only the first selected file stays selected, and focused.
    void keepFirstSelected();

    // Selects the file named `name` alone and focuses it; false when it is not listed.
    bool selectByName(const std::string& name);

    // FileListView: positions, names, selection and the focused item.
    int count() const override;
    bool isSelected(int index) const override;
    // Selecting makes the item the focused one; a change runs the selection handling before it
    // returns.
    void setSelected(int index, bool selected) override;
    // Read from the selection's ranges, without asking every item.
    int nextSelected(int from) const override;
    std::string name(int index) const override;
    int focusedIndex() const override;

Q_SIGNALS:
    void selectionHandled(const brackmoor::FileListState& state);
    void filesShown(bool any);
    void launchRequested();
    void launchMultipleRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void noteChange();
    void settle();
    void runSelectionHandling();
    int capSelection();

    FilesView* flbFiles_ = nullptr;
    FileListModel* model_ = nullptr;
    std::string path_;
    // Set while the program changes the selection itself: it runs the handling once,
    // afterwards, instead of once per step.
    bool programChange_ = false;
    // A change of the focus or the selection that the handling has not seen yet.
    bool changePending_ = false;
    bool settleQueued_ = false;
};

}  // namespace brackmoor
