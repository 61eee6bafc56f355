#include "options/frm_options.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstdlib>

#include "options/emulator_presets.h"
#include "platform/file_lookup.h"
#include "platform/qt_choosers.h"
#include "platform/qt_item_views.h"
#include "settings/profile_values.h"
#include "settings/startup.h"

namespace brackmoor {

namespace {

// On Linux programs have no extension: all files are offered beside WinUAE's own filter.
#ifdef _WIN32
constexpr char kExeFilter[] = "WinUAE Exe (*.EXE)|*.EXE";
#else
constexpr char kExeFilter[] = "WinUAE Exe (*.EXE)|*.EXE|All Files|*";
#endif
constexpr char kConfigFilter[] = "All Files (But Should Be *.UAE)|*.*";
constexpr char kWorkbenchFilter[] = "All Files (But Should Be ADF,ADZ or DMS)|*.*";

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

// Enter in a text box does nothing, as in a form without a default button: no button of this
// dialog is pressed by it.
QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QListWidget* LocationList(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    KeepToLeftButton(list);
    return list;
}

void FillList(QListWidget* list, const std::vector<std::string>& entries) {
    const QSignalBlocker block(list);
    list->clear();
    for (const std::string& entry : entries) {
        list->addItem(QString::fromStdString(entry));
    }
    if (list->count() > 0) {
        list->setCurrentRow(0);
    }
}

std::vector<std::string> Entries(const QListWidget* list) {
    std::vector<std::string> entries;
    for (int row = 0; row < list->count(); ++row) {
        entries.push_back(list->item(row)->text().toStdString());
    }
    return entries;
}

// A tab of one location list with its Add and Delete buttons beside it.
QWidget* ListTab(QWidget* parent, QListWidget* list, QPushButton* add, QPushButton* remove) {
    auto* tab = new QWidget(parent);
    list->setParent(tab);
    add->setParent(tab);
    remove->setParent(tab);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(tab);
    layout->addWidget(list, 1);
    layout->addLayout(buttons);
    return tab;
}

}  // namespace

FrmOptions::FrmOptions(std::string appPath, MessageSink& messages, Choosers* choosers,
                       QWidget* parent)
    : QDialog(parent),
      appPath_(std::move(appPath)),
      messages_(messages),
      ownChoosers_(choosers != nullptr ? nullptr : std::make_unique<QtChoosers>(this)),
      choosers_(choosers != nullptr ? *choosers : *ownChoosers_) {
    setObjectName("frmOptions");
    setWindowTitle("Options");
    setModal(true);
    buildControls();
    connectControls();
    loadEvent();
}

FrmOptions::~FrmOptions() = default;

void FrmOptions::buildControls() {
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");
    // Every tab's caption shows whole: the tab bar asks for the room of all three.
    SSTab1->tabBar()->setUsesScrollButtons(false);
    SSTab1->tabBar()->setElideMode(Qt::ElideNone);

    auto* emulatorTab = new QWidget(SSTab1);
    auto* emulatorLayout = new QGridLayout(emulatorTab);
    cmbPreset = new QComboBox(emulatorTab);
    cmbPreset->setObjectName("cmbPreset");
    cmbPreset->setToolTip("Fills in the emulator's program, command line and floppy key names");
    for (const EmulatorPreset& preset : EmulatorPresets()) {
        cmbPreset->addItem(QString::fromStdString(preset.name));
    }
    auto* presetRow = new QHBoxLayout;
    presetRow->addWidget(Caption(emulatorTab, "lblPreset", "Set up for"));
    presetRow->addWidget(cmbPreset);
    presetRow->addStretch();
    emulatorLayout->addLayout(presetRow, 0, 0, 1, 2);

    txtEXE = TextBox(emulatorTab, "txtEXE", "Where is WinUAE's EXE?");
    cmdgetexe = Button(emulatorTab, "cmdgetexe", "...");
    txtGames = TextBox(emulatorTab, "txtGames",
                       "Where are your games?  Use a drive letter  i.e. D:\\ if you have games on "
                       "multiple CDs");
    cmdGetGamefolder = Button(emulatorTab, "cmdGetGamefolder", "...");
    for (QPushButton* picker : {cmdgetexe, cmdGetGamefolder}) {
        picker->setMaximumWidth(picker->fontMetrics().horizontalAdvance(picker->text()) + 24);
    }
    emulatorLayout->addWidget(Caption(emulatorTab, "Label1", "WinUAE's EXE"), 1, 0, 1, 2);
    emulatorLayout->addWidget(txtEXE, 2, 0);
    emulatorLayout->addWidget(cmdgetexe, 2, 1);
    emulatorLayout->addWidget(
        Caption(emulatorTab, "Label2", "Your Main Game Folder or Drive (Including Sub Folders)"), 3,
        0, 1, 2);
    emulatorLayout->addWidget(txtGames, 4, 0);
    emulatorLayout->addWidget(cmdGetGamefolder, 4, 1);

    auto* Frame1 =
        new QGroupBox("Inside a WinUAE Config file  (Dont touch unless you know)", emulatorTab);
    Frame1->setObjectName("Frame1");
    auto* frameLayout = new QGridLayout(Frame1);
    txtComline = TextBox(Frame1, "txtComline",
                         "WinUAE Command line, looks like:- \"WinUAE.exe "
                         "-config=\"C:\\Amiga\\Configurations\\1200.uae\"");
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
    emulatorLayout->addWidget(Frame1, 5, 0, 1, 2);
    emulatorLayout->setRowStretch(6, 1);
    SSTab1->addTab(emulatorTab, "WinUAE Compaterbility");

    lstOptConfigs = LocationList(SSTab1, "lstOptConfigs");
    cmdgetconfig = Button(SSTab1, "cmdgetconfig", "Add");
    cmddeleteConfig = Button(SSTab1, "cmddeleteConfig", "Delete");
    SSTab1->addTab(ListTab(SSTab1, lstOptConfigs, cmdgetconfig, cmddeleteConfig),
                   "Config Locations");

    lstoptWB = LocationList(SSTab1, "lstoptWB");
    cmdaddWB = Button(SSTab1, "cmdaddWB", "Add");
    cmdDelWB = Button(SSTab1, "cmdDelWB", "Delete");
    SSTab1->addTab(ListTab(SSTab1, lstoptWB, cmdaddWB, cmdDelWB), "WorkBench Locations");

    cmdSave = Button(this, "cmdSave", "Save And Exit");
    Command1 = Button(this, "Command1", "Cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(Command1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);

    // The keyboard goes from the emulator choice down the first tab, then to the two buttons.
    QWidget* order[] = {cmbPreset,    txtEXE,         cmdgetexe,    txtGames,     cmdGetGamefolder,
                        txtComline,   txtFloppycount, txtfloppy[0], txtfloppy[1], txtfloppy[2],
                        txtfloppy[3], cmdSave,        Command1};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    cmbPreset->setFocus();
    resize(minimumSizeHint().expandedTo(QSize(560, 440)));
}

void FrmOptions::connectControls() {
    connect(cmbPreset, &QComboBox::activated, this, &FrmOptions::choosePreset);
    connect(cmdgetexe, &QPushButton::clicked, this, &FrmOptions::getExe);
    connect(cmdGetGamefolder, &QPushButton::clicked, this, &FrmOptions::getGameFolder);
    connect(cmdgetconfig, &QPushButton::clicked, this,
            [this] { addEntry(lstOptConfigs, kMostConfigs, ConfigLimitMessage(), kConfigFilter); });
    connect(cmdaddWB, &QPushButton::clicked, this, [this] {
        addEntry(lstoptWB, kMostWorkbenches, WorkbenchLimitMessage(), kWorkbenchFilter);
    });
    connect(cmddeleteConfig, &QPushButton::clicked, this, [this] { deleteEntry(lstOptConfigs); });
    connect(cmdDelWB, &QPushButton::clicked, this, [this] { deleteEntry(lstoptWB); });
    connect(cmdSave, &QPushButton::clicked, this, &FrmOptions::save);
    connect(Command1, &QPushButton::clicked, this, &FrmOptions::cancel);
}

void FrmOptions::loadEvent() {
    if (!SettingsFileExists(appPath_)) {
        messages_.show(DefaultSettingsMessage());
        const Result written = WriteDefaultSettingsFile(appPath_);
        if (!written) {
            messages_.show(CannotWriteMessage(
                "the settings file " + SettingsFilePath(appPath_).string(), written.error()));
        }
    }
    FillOptionControls();
}

void FrmOptions::FillOptionControls() {
    const OptionValues values = ReadOptionValues(appPath_);
    FillList(lstOptConfigs, values.configs);
    FillList(lstoptWB, values.workbenches);
    txtGames->setText(QString::fromStdString(values.games));
    txtEXE->setText(QString::fromStdString(values.exe));
    txtComline->setText(QString::fromStdString(values.commandLine));
    txtFloppycount->setText(QString::fromStdString(values.floppyCount));
    for (int drive = 0; drive < 4; ++drive) {
        txtfloppy[drive]->setText(QString::fromStdString(values.floppy[drive]));
    }
    // The choice shows the emulator the key names belong to, or nothing.
    const QSignalBlocker block(cmbPreset);
    const EmulatorPreset* shown =
        MatchEmulatorPreset(values.commandLine, values.floppyCount, values.floppy);
    cmbPreset->setCurrentIndex(
        shown == nullptr ? -1 : static_cast<int>(shown - EmulatorPresets().data()));
    chosenPreset_ = nullptr;
}

OptionValues FrmOptions::controlValues() const {
    OptionValues values;
    values.configs = Entries(lstOptConfigs);
    values.workbenches = Entries(lstoptWB);
    values.games = txtGames->text().toStdString();
    values.exe = txtEXE->text().toStdString();
    values.commandLine = txtComline->text().toStdString();
    values.floppyCount = txtFloppycount->text().toStdString();
    for (int drive = 0; drive < 4; ++drive) {
        values.floppy[drive] = txtfloppy[drive]->text().toStdString();
    }
    if (chosenPreset_ != nullptr) {
        values.floppyTypes = chosenPreset_->floppyTypeNames;
    }
    return values;
}

void FrmOptions::choosePreset(int index) {
    if (index < 0 || index >= static_cast<int>(EmulatorPresets().size())) {
        return;
    }
    const EmulatorPreset& preset = EmulatorPresets()[static_cast<std::size_t>(index)];
    chosenPreset_ = &preset;
    const char* path = std::getenv("PATH");
    txtEXE->setText(QString::fromStdString(FindEmulatorProgram(preset, path ? path : "")));
    txtComline->setText(QString::fromStdString(preset.commandLinePass));
    txtFloppycount->setText(QString::fromStdString(preset.floppyCountName));
    for (int drive = 0; drive < 4; ++drive) {
        txtfloppy[drive]->setText(QString::fromStdString(preset.floppyNames[drive]));
    }
    if (NoConfigurationExists(Entries(lstOptConfigs))) {
        offerStarterConfigurations(preset);
    }
}

void FrmOptions::offerStarterConfigurations(const EmulatorPreset& preset) {
    const std::string folder = StarterFolder(appPath_).string();
    if (messages_.show(StarterOfferQuestion(preset.name, folder)) != MessageAnswer::Yes) {
        return;
    }
    std::vector<std::string> entries = Entries(lstOptConfigs);
    const Result made = AddStarterConfigurations(preset, appPath_, entries);
    if (!made) {
        messages_.show(CannotWriteMessage("the starter configurations", made.error()));
        return;
    }
    FillList(lstOptConfigs, entries);
}

void FrmOptions::getExe() {
    if (const auto chosen = choosers_.chooseFile(kExeFilter)) {
        txtEXE->setText(QString::fromStdString(*chosen));
    }
}

// The chosen folder replaces the box's text, also the empty one of a cancel.
void FrmOptions::getGameFolder() {
    txtGames->setText(
        QString::fromStdString(BrowseForFolder(choosers_, "Please select a folder.")));
}

void FrmOptions::addEntry(QListWidget* list, std::size_t most, const Message& refusal,
                          const char* filter) {
    if (static_cast<std::size_t>(list->count()) >= most) {
        messages_.show(refusal);
        return;
    }
    // A cancelled chooser adds nothing: an empty entry would leave an unused slot between used
    // ones and point every later position at the wrong file.
    if (const auto chosen = choosers_.chooseFile(filter)) {
        list->addItem(QString::fromStdString(*chosen));
    }
}

// The question comes first, whatever the list holds: the game settings refer to entries by
// their position, which a removal shifts.
void FrmOptions::deleteEntry(QListWidget* list) {
    if (FindInFolderIgnoringCase(appPath_, "Game Settings.ini") &&
        messages_.show(DeleteEntryQuestion()) != MessageAnswer::Ok) {
        return;
    }
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty() || selected.first()->text().isEmpty()) {
        return;
    }
    delete list->takeItem(list->row(selected.first()));
    if (list->count() > 0) {
        list->setCurrentRow(0);
    }
}

void FrmOptions::save() {
    const OptionValues values = controlValues();
    if (!OptionsComplete(values)) {
        messages_.show(FieldsMissingMessage());
        return;
    }
    const Result saved = SaveOptionValues(appPath_, values);
    if (!saved) {
        messages_.show(CannotWriteMessage(
            "the settings file " + ResolveIgnoringCase(SettingsFilePath(appPath_)).string(),
            saved.error()));
        return;  // the edits stay for another try
    }
    outcome_ = OptionsOutcome::Saved;
    accept();
}

void FrmOptions::cancel() {
    outcome_ = OptionsOutcome::Cancelled;
    reject();
}

}  // namespace brackmoor
