#pragma once

#include <QImage>
#include <QPixmap>
#include <array>
#include <string>
#include <vector>

#include "media/game_settings.h"
#include "media/media_interfaces.h"
#include "platform/qt_child_window.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace brackmoor {

struct LauncherSettings;
class MessageSink;
class NotesBox;

// The "Media" child window: the current game's screenshot ("Image"), the screenshot capture
// ("Capture"), the remembered choices ("Game Options") and the note ("Game Info/Notes"), on the
// tab control tabMedia, with the multi-select stopper over it.
//
// Every control sits at its design place in twips, converted with the logical DPI, directly on
// the tab control; the controls of the tabs not shown are hidden. Only the tab control, the
// screenshot and the note follow the window's size, and the window is never maximised.
class FrmMedia : public ChildWindow {
    Q_OBJECT
public:
    explicit FrmMedia(QWidget* parent = nullptr);

    // What the window works with, all owned elsewhere and living for the whole run: the
    // settings (for AppPath), the message boxes, the current game and the file list's selection
    // (for the stopper; selecting an item must run the list's selection handling). Until they
    // are attached the buttons write nothing.
    void attach(const LauncherSettings* settings, MessageSink* messages,
                CurrentGameSource* currentGame, FileSelection* selection);

    // The choice lists that start-up fills from the launcher settings.
    QComboBox* cmbConfigToUse() const { return cmbConfigToUse_; }
    QComboBox* cmbWBUse() const { return cmbWBUse_; }
    QTabWidget* tabMedia() const { return tabMedia_; }

    // Selection handling of the file list, in its order: the screenshot (a null picture shows
    // the placeholder), the capture file name, then the game's record.
    void showScreenshot(const QImage& picture);
    void showPlaceholder();
    void setImageName(const QString& name);
    void loadGameSettings(const std::string& gameKey);

    // Multi-select mode: the tab control is disabled and the stopper shown.
    void setMultiSelectMode(bool on);
    bool multiSelectMode() const;

    // What the launch uses: list positions (-1 when a list has no chosen entry, also when the
    // user has typed into its text field) and the two switches, as the controls show them now.
    GameChoices choices() const;
    int configPosition() const;
    int workbenchPosition() const;
    bool autoloadABCD() const;
    bool disableUnusedDrives() const;

    // Whether the saved-settings marker imgSaved is on (it is seen only on "Game Options").
    bool savedMarkerShown() const { return savedMarkerShown_; }

    // The picture for a game without a screenshot (321 x 242).
    const QPixmap& placeholderPicture() const { return placeholder_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildImageTab();
    void buildCaptureTab();
    void buildOptionsTab();
    void buildNotesTab();
    void connectControls();
    void loadArtwork();

    // Puts `widget` on tab `tab` (or on no tab, for -1) at its design place in twips, relative
    // to the tab control.
    template <typename W>
    W* place(W* widget, const char* name, int tab, int left, int top, int width, int height);
    void applyLayout();
    void showTabControls();
    void showRecord(const GameRecord& record);
    void showChoices(const GameChoices& choices);
    void setSavedMarker(bool shown);
    std::optional<std::string> currentGameKey() const;

    void onRemember();
    void onDefaults();
    void onSaveNote();
    void onStopper();
    void onCompressionChanged(const QString& text);

    const LauncherSettings* settings_ = nullptr;
    MessageSink* messages_ = nullptr;
    CurrentGameSource* currentGame_ = nullptr;
    FileSelection* selection_ = nullptr;

    QWidget* client_ = nullptr;
    QTabWidget* tabMedia_ = nullptr;
    QPushButton* cmdStopper_ = nullptr;
    // Image
    QLabel* imgMedia_ = nullptr;
    // Capture
    QLabel* Label3_ = nullptr;
    QLineEdit* txtimgname_ = nullptr;
    QLineEdit* txtJPGcompession_ = nullptr;
    QComboBox* cmbImageSize_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QLabel* ImgClip_ = nullptr;
    QLabel* Picture1_ = nullptr;
    QLabel* pictemp_ = nullptr;
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

    // The controls of each tab, shown while their tab is the current one.
    std::array<std::vector<QWidget*>, 4> tabControls_;
    bool savedMarkerShown_ = false;
    QPixmap placeholder_;
};

}  // namespace brackmoor
