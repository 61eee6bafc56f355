#pragma once

#include <QImage>
#include <QPixmap>
#include <array>
#include <optional>
#include <string>

#include "media/game_settings.h"
#include "platform/qt_child_window.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QMimeData;
class QPushButton;
class QTabWidget;

namespace brackmoor {

struct LauncherSettings;
class CaptureTab;
class MessageSink;
class NotesBox;
class PictureClipboard;
struct CaptureResult;

// The "Media" child window: the shown game's screenshot ("Image"), the screenshot capture
// ("Capture"), the remembered choices ("Game Options") and the note ("Game Info/Notes"), on the
// tab control tabMedia, with the multi-select stopper over it.
//
// It shows one game at a time, the one showGame named last, and "Remember This Game's
// Settings" and the note's "Save" write that game's record and no other. Every control sits at
// its design place in twips; only the tab control, the screenshot and the note follow the
// window's size, and the window is never maximised.
class FrmMedia : public ChildWindow {
    Q_OBJECT
public:
    explicit FrmMedia(QWidget* parent = nullptr);

    // What the window works with, owned elsewhere and living for the whole run: the settings
    // (for AppPath and SnapsPath), the message boxes and the clipboard the capture reads. Until
    // they are attached the buttons write nothing.
    void attach(const LauncherSettings* settings, MessageSink* messages,
                PictureClipboard* clipboard = nullptr);

    // The choice lists that start-up fills from the launcher settings.
    QComboBox* cmbConfigToUse() const { return cmbConfigToUse_; }
    QComboBox* cmbWBUse() const { return cmbWBUse_; }
    QTabWidget* tabMedia() const { return tabMedia_; }

    // Shows a game: its screenshot (or the placeholder), its capture name and its record. A file
    // whose name gives no key shows the placeholder and the defaults.
    void showGame(const std::optional<std::string>& gameKey);
    const std::optional<std::string>& shownGame() const { return shownKey_; }

    // Multi-select mode: the tab control is disabled and the stopper shown.
    void setMultiSelectMode(bool on);
    bool multiSelectMode() const;
    // A folder without files leaves nothing to edit: the tab control is disabled.
    void setFolderHasFiles(bool any);

    // What the launch uses, as the controls show them now (see GameChoices).
    GameChoices choices() const;
    bool autoloadABCD() const;

    // Whether the saved-settings marker imgSaved is on (it is seen only on "Game Options").
    bool savedMarkerShown() const { return savedMarkerShown_; }

    // The picture for a game without a screenshot (321 x 242).
    const QPixmap& placeholderPicture() const { return placeholder_; }

Q_SIGNALS:
    // The stopper was pressed: the file list should keep only its first selected file.
    void stopperClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // A picture dropped on, or pasted into, the "Image" tab becomes the game's screenshot.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildImageTab();
    QWidget* buildOptionsTab();
    QWidget* buildNotesTab();
    void connectControls();
    void loadArtwork();

    void applyLayout();
    CaptureTab* captureTab();
    void showCurrentTab();
    void showScreenshot(const std::optional<std::string>& gameKey);
    void showRecord(const GameRecord& record);
    void showChoices(const GameChoices& choices);
    void setSavedMarker(bool shown);
    void updateTabsEnabled();
    void reportWriteFailure(const char* what, const Result& result);

    void onRemember();
    void onDefaults();
    void onSaveNote();
    void onCapture();
    void onPictureGiven(const QMimeData* data);
    void reportCapture(const CaptureResult& result);

    const LauncherSettings* settings_ = nullptr;
    MessageSink* messages_ = nullptr;
    PictureClipboard* clipboard_ = nullptr;
    std::optional<std::string> shownKey_;
    // A Workbench position of the shown record beyond the list, kept until the user chooses
    // another: the launch refuses it rather than starting without the disk.
    std::optional<int> workbenchPastEnd_;

    QWidget* client_ = nullptr;
    QTabWidget* tabMedia_ = nullptr;
    QPushButton* cmdStopper_ = nullptr;
    // Image
    QLabel* imgMedia_ = nullptr;
    // Capture; built on first use, until then the name it will show.
    CaptureTab* captureTab_ = nullptr;
    QString captureName_;
    // Game Options
    QComboBox* cmbConfigToUse_ = nullptr;
    QComboBox* cmbWBUse_ = nullptr;
    QCheckBox* chkAutoABCD_ = nullptr;
    QCheckBox* chkDissableUnused_ = nullptr;
    QPushButton* cmddefault_ = nullptr;
    QPushButton* cmdSaveSettings_ = nullptr;
    QLabel* imgSaved_ = nullptr;
    // Game Info/Notes
    QPushButton* cmdsavenotes_ = nullptr;
    NotesBox* txtNotes_ = nullptr;

    // The four pages, shown while their tab is the current one (the capture page once built).
    std::array<QWidget*, 4> pages_{};
    bool savedMarkerShown_ = false;
    bool folderHasFiles_ = true;
    QPixmap placeholder_;
};

}  // namespace brackmoor
