#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <string>

#include "options/option_values.h"
#include "platform/choosers.h"
#include "platform/messages.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace brackmoor {

struct EmulatorPreset;
class QtChoosers;

// How the options dialog ended, for its opener to act on.
enum class OptionsOutcome {
    Saved,      // "Save And Exit" wrote the settings file
    Cancelled,  // "Cancel"
    Closed,     // closed any other way (the close box, Escape): nothing written
};

// The modal "Options" dialog over the launcher settings file in `appPath`. Opening it writes
// the default file when there is none, then fills every control from the file; the controls are
// the working copy until "Save And Exit" writes them back. The dialog never touches the running
// program's settings: its opener reads outcome() when it has closed.
class FrmOptions : public QDialog {
    Q_OBJECT
public:
    // File and folder choosers go through `choosers`; the toolkit's own dialogs when null.
    FrmOptions(std::string appPath, MessageSink& messages, Choosers* choosers = nullptr,
               QWidget* parent = nullptr);
    ~FrmOptions() override;

    // Fills every control from the settings file as it is now.
    void FillOptionControls();

    OptionsOutcome outcome() const { return outcome_; }

private:
    void buildControls();
    void connectControls();
    void loadEvent();
    OptionValues controlValues() const;

    void choosePreset(int index);
    void offerStarterConfigurations(const EmulatorPreset& preset);
    void getExe();
    void getGameFolder();
    void addEntry(QListWidget* list, std::size_t most, const Message& refusal, const char* filter);
    void deleteEntry(QListWidget* list);
    void save();
    void cancel();

    std::string appPath_;
    MessageSink& messages_;
    std::unique_ptr<QtChoosers> ownChoosers_;
    Choosers& choosers_;
    OptionsOutcome outcome_ = OptionsOutcome::Closed;
    // The preset last chosen in this opening; its drive-type key names go out with a save.
    const EmulatorPreset* chosenPreset_ = nullptr;

    QTabWidget* SSTab1 = nullptr;
    QComboBox* cmbPreset = nullptr;
    QLineEdit* txtEXE = nullptr;
    QPushButton* cmdgetexe = nullptr;
    QLineEdit* txtGames = nullptr;
    QPushButton* cmdGetGamefolder = nullptr;
    QLineEdit* txtComline = nullptr;
    QLineEdit* txtFloppycount = nullptr;
    std::array<QLineEdit*, 4> txtfloppy{};
    QListWidget* lstOptConfigs = nullptr;
    QPushButton* cmdgetconfig = nullptr;
    QPushButton* cmddeleteConfig = nullptr;
    QListWidget* lstoptWB = nullptr;
    QPushButton* cmdaddWB = nullptr;
    QPushButton* cmdDelWB = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* Command1 = nullptr;
};

}  // namespace brackmoor
