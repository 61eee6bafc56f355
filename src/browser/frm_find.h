#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "browser/game_search.h"
#include "platform/result.h"
#include "platform/qt_volumes.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace brackmoor {

class MessageSink;

// The modal "Find A Game" dialog: searches a folder, and optionally every folder below it, for
// file names matching a wildcard pattern and lists each match as a full path.
//
// The search runs on a thread of its own while the dialog stays responsive: results appear as
// they are found, a label counts the folders searched, and "Stop" or Esc ends the search,
// keeping what was found. A double click on a result keeps its path (FoundGamePath), reports
// it through gameChosen and closes the dialog with accept().
class FrmFind : public QDialog {
    Q_OBJECT
public:
    // Opening: the drive and folder of `currentGameDir` are shown; a folder that cannot be read
    // is reported through `messages`.
    FrmFind(const std::string& currentGameDir, MessageSink& messages, QWidget* parent = nullptr);
    ~FrmFind() override;

    // The full path of the result chosen by a double click; empty until then.
    const std::string& FoundGamePath() const { return foundGamePath_; }
    // dirfind's current folder: where a search starts.
    const std::string& dirfindPath() const { return dirfindPath_; }
    bool searching() const { return search_ != nullptr; }

    // How the search is done; GetFiles unless a test gives another.
    void setSearchFunction(SearchFunction search) { searchFunction_ = std::move(search); }

    // Runs a search from dirfind's folder with the pattern and the check box as they stand,
    // replacing the results of the last one ("Find Now", or Enter in the pattern box).
    void findNow();
    // Ends a running search, keeping its results so far.
    void stopSearch();

Q_SIGNALS:
    // A result was double-clicked: the full path of the game file, exactly as found.
    void gameChosen(const std::string& path);
    // A search has ended, by itself or stopped.
    void searchFinished();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public Q_SLOTS:
    void done(int result) override;

private:
    void buildControls();
    void connectControls();
    void loadEvent(const std::string& currentGameDir);
    Result setDirfindPath(const std::string& path);
    void fillDirfind(const std::vector<std::string>& subfolders);
    void onDriveChanged();
    void enterFolder(QTreeWidgetItem* item);
    void chooseResult(int row);
    void takeResults();
    void endSearch();
    void showFoldersSearched(std::size_t folders);
    void selectDriveOf(const std::string& folder);

    MessageSink& messages_;
    SearchFunction searchFunction_ = GetFiles;
    std::unique_ptr<BackgroundSearch> search_;
    std::vector<std::string> results_;
    std::vector<Volume> volumes_;
    std::string dirfindPath_;
    std::string foundGamePath_;
    bool busyPointer_ = false;

    QFrame* Frame1 = nullptr;
    QComboBox* drvfind = nullptr;
    QTreeWidget* dirfind = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtfindwild = nullptr;
    QCheckBox* chkfindsub = nullptr;
    QLabel* lblSearched = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdfindnow = nullptr;
    QListWidget* lstfind = nullptr;
    QTimer* progressTimer_ = nullptr;
};

}  // namespace brackmoor
