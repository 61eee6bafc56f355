#include "options/frm_options.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "options/option_values.h"
#include "settings/profile_values.h"
#include "settings/startup.h"

namespace brackmoor {

namespace {

QLineEdit* TextBox(QWidget* parent, const char* name, const char* toolTip) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setToolTip(toolTip);
    return box;
}

QLabel* Caption(QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QListWidget* LocationList(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

void FillList(QListWidget* list, const std::vector<std::string>& entries) {
    list->clear();
    for (const std::string& entry : entries) {
        list->addItem(QString::fromStdString(entry));
    }
    if (list->count() > 0) {
        list->setCurrentRow(0);
    }
}

}  // namespace

FrmOptions::FrmOptions(LauncherSettings& settings, MessageSink& messages, QWidget* parent)
    : QDialog(parent), settings_(settings), messages_(messages) {
    setObjectName("frmOptions");
    setWindowTitle("Options");
    setModal(true);
    buildControls();
    connectControls();
    loadEvent();
}

void FrmOptions::buildControls() {
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");

    auto* emulatorTab = new QWidget(SSTab1);
    auto* emulatorLayout = new QGridLayout(emulatorTab);
    txtEXE = TextBox(emulatorTab, "txtEXE", "Where is WinUAE's EXE?");
    txtGames = TextBox(emulatorTab, "txtGames",
                       "Where are your games?  Use a drive letter  i.e. D:\\ if you have games on "
                       "multiple CDs");
    emulatorLayout->addWidget(Caption(emulatorTab, "Label1", "WinUAE's EXE"), 0, 0);
    emulatorLayout->addWidget(txtEXE, 1, 0);
    emulatorLayout->addWidget(
        Caption(emulatorTab, "Label2", "Your Main Game Folder or Drive (Including Sub Folders)"), 2,
        0);
    emulatorLayout->addWidget(txtGames, 3, 0);

    auto* Frame1 =
        new QGroupBox("Inside a WinUAE Config file  (Dont touch unless you know)", emulatorTab);
    Frame1->setObjectName("Frame1");
    auto* frameLayout = new QGridLayout(Frame1);
    txtComline = TextBox(Frame1, "txtComline",
                         "WinUAE Command line, looks like:- \"WinUAE.exe "
                         "-config=\"C:\\Amiga\\Configurations\\1200.uae\"\"");
    txtFloppycount = TextBox(Frame1, "txtFloppycount", "WinUAE Config:  How many floppy drives");
    frameLayout->addWidget(Caption(Frame1, "Label3", "WinUAE's Command-Line"), 0, 0);
    frameLayout->addWidget(txtComline, 0, 1);
    frameLayout->addWidget(Caption(Frame1, "Label4", "FloppyCounter"), 1, 0);
    frameLayout->addWidget(txtFloppycount, 1, 1);
    const char* labelNames[] = {"Label8", "Label6", "Label5", "Label7"};
    for (int drive = 0; drive < 4; ++drive) {
        const std::string name = "txtfloppy" + std::to_string(drive);
        const std::string tip = "WinUAE Config:  Floppy Drive " + std::to_string(drive) + " Name";
        txtfloppy[drive] = TextBox(Frame1, name.c_str(), tip.c_str());
        const std::string caption = "Floppy " + std::to_string(drive);
        frameLayout->addWidget(Caption(Frame1, labelNames[drive], caption.c_str()), 2 + drive, 0);
        frameLayout->addWidget(txtfloppy[drive], 2 + drive, 1);
    }
    emulatorLayout->addWidget(Frame1, 4, 0);
    SSTab1->addTab(emulatorTab, "WinUAE Compaterbility");

    auto* configTab = new QWidget(SSTab1);
    lstOptConfigs = LocationList(configTab, "lstOptConfigs");
    (new QVBoxLayout(configTab))->addWidget(lstOptConfigs);
    SSTab1->addTab(configTab, "Config Locations");

    auto* workbenchTab = new QWidget(SSTab1);
    lstoptWB = LocationList(workbenchTab, "lstoptWB");
    (new QVBoxLayout(workbenchTab))->addWidget(lstoptWB);
    SSTab1->addTab(workbenchTab, "WorkBench Locations");

    Command1 = new QPushButton("Cancel", this);
    Command1->setObjectName("Command1");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);
}

void FrmOptions::connectControls() {
    connect(Command1, &QPushButton::clicked, this, &FrmOptions::cancel);
}

void FrmOptions::loadEvent() {
    if (!SettingsFileExists(settings_.AppPath)) {
        messages_.show(DefaultSettingsMessage());
        const Result written = WriteDefaultSettingsFile(settings_.AppPath);
        if (!written) {
            messages_.show(CannotWriteMessage(
                "the settings file " + SettingsFilePath(settings_.AppPath).string(),
                written.error()));
        }
    }
    FillOptionControls();
}

void FrmOptions::FillOptionControls() {
    const OptionValues values = ReadOptionValues(settings_.AppPath);
    FillList(lstOptConfigs, values.configs);
    FillList(lstoptWB, values.workbenches);
    txtGames->setText(QString::fromStdString(values.games));
    txtEXE->setText(QString::fromStdString(values.exe));
    txtComline->setText(QString::fromStdString(values.commandLine));
    txtFloppycount->setText(QString::fromStdString(values.floppyCount));
    for (int drive = 0; drive < 4; ++drive) {
        txtfloppy[drive]->setText(QString::fromStdString(values.floppy[drive]));
    }
}

void FrmOptions::cancel() {
    settings_.OptionsCancelled = true;
    reject();
}

}  // namespace brackmoor
