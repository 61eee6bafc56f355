#pragma once

#include <QDialog>
#include <array>

#include "platform/messages.h"
#include "settings/launcher_settings.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace brackmoor {

// The modal "Options" dialog over the launcher settings file. Opening it writes the default
// file when there is none, then fills every control from the file.
class FrmOptions : public QDialog {
    Q_OBJECT
public:
    FrmOptions(LauncherSettings& settings, MessageSink& messages, QWidget* parent = nullptr);

    // The load event: the default file when it is missing, then FillOptionControls. Called
    // once by the constructor.
    void FillOptionControls();

private:
    void buildControls();
    void connectControls();
    void loadEvent();
    void cancel();

    LauncherSettings& settings_;
    MessageSink& messages_;

    QTabWidget* SSTab1 = nullptr;
    QLineEdit* txtEXE = nullptr;
    QLineEdit* txtGames = nullptr;
    QLineEdit* txtComline = nullptr;
    QLineEdit* txtFloppycount = nullptr;
    std::array<QLineEdit*, 4> txtfloppy{};
    QListWidget* lstOptConfigs = nullptr;
    QListWidget* lstoptWB = nullptr;
    QPushButton* Command1 = nullptr;
};

}  // namespace brackmoor
