// The options dialog offscreen, driven as a user would: what it shows when it opens, the
// pickers, Add and Delete with their limits and question, the save with its check and its
// bytes, Cancel and the close box, and the emulator presets.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>
#include <map>
#include <memory>

#include "app/frm_mdi_main.h"
#include "options/emulator_presets.h"
#include "options/frm_options.h"
#include "platform/qt_choosers.h"
#include "settings/profile_values.h"
#include "settings/settings_schema.h"
#include "settings/startup.h"
#include "test_support.h"

namespace brackmoor {

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int row = 0; row < list->count(); ++row) {
        items << list->item(row)->text();
    }
    return items;
}

}  // namespace

class FrmOptionsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempDir> dir;
    test::RecordingMessages messages;
    test::ScriptedChoosers choosers;
    std::unique_ptr<FrmOptions> dialog;

    std::filesystem::path settingsFile() const { return dir->path() / "Brackmoor.ini"; }
    std::string read(const char* section, const std::string& key) const {
        return ReadProfileValue(dir->withSeparator(), section, key);
    }
    void open() {
        dialog = std::make_unique<FrmOptions>(dir->withSeparator(), messages, &choosers);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    template <typename T>
    T* child(const char* name) const {
        T* found = dialog->findChild<T*>(name);
        if (found == nullptr) {
            qFatal("no control %s", name);
        }
        return found;
    }
    QLineEdit* box(const char* name) const { return child<QLineEdit>(name); }
    QListWidget* list(const char* name) const { return child<QListWidget>(name); }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void showTab(int index) {
        QTabBar* bar = child<QTabWidget>("SSTab1")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    void select(QListWidget* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    void typeInto(const char* name, const QString& text) {
        box(name)->selectAll();
        QTest::keyClick(box(name), Qt::Key_Delete);
        QTest::keyClicks(box(name), text);
    }
    // A settings file with these configuration slots used, every other slot empty, and a
    // window section; `missing` names a configuration key left out.
    void writeSettings(const std::map<int, std::string>& configs, const std::string& missing = "") {
        LauncherSettings values;
        values.CurrentGameDir = "/games";
        values.WinUAEName = "/usr/bin/fs-uae";
        values.WinUAECommandLinePass = "\"-- \"";
        values.FloppyCountName = "nr_floppies";
        values.FloppyName = {"floppy0", "floppy1", "floppy2", "floppy3"};
        for (const auto& [slot, value] : configs) {
            ConfigList().slot(values, slot) = value;
        }
        std::string bytes;
        QVERIFY(ApplySettingsEntries(bytes, SettingsEntriesOf(values, false, "")).ok());
        if (!missing.empty()) {
            const std::string line = "\r\n" + missing + "=\r\n";
            bytes.erase(bytes.find(line, bytes.find("[Config Locations]")), line.size() - 2);
        }
        test::WriteFile(settingsFile(), bytes + "[Folder]\r\nWidth=4600\r\nHeight=4000\r\n");
    }

private Q_SLOTS:
    void init() {
        dir = std::make_unique<test::TempDir>();
        messages = test::RecordingMessages();
        choosers = test::ScriptedChoosers();
    }
    void cleanup() { dialog.reset(); }

    void firstOpeningWritesTheDefaultsAndShowsEveryCaptionWhole() {
        open();
        QCOMPARE(messages.texts(), std::vector<std::string>{DefaultSettingsMessage().text});
        QCOMPARE(messages.shown[0].icon, MessageIcon::Information);
        std::string defaults;
        QVERIFY(ApplySettingsEntries(defaults, DefaultSettingsEntries()).ok());
        QCOMPARE(test::ReadFile(settingsFile()), defaults);

        QCOMPARE(dialog->windowTitle(), QString("Options"));
        QCOMPARE(Items(list("lstOptConfigs")),
                 QStringList{"C:\\Games\\WinUAE\\Configurations\\1200.uae"});
        QCOMPARE(list("lstOptConfigs")->currentRow(), 0);
        QCOMPARE(list("lstoptWB")->count(), 0);
        QVERIFY(list("lstoptWB")->selectedItems().isEmpty());
        QStringList texts;
        for (const char* name : {"txtGames", "txtEXE", "txtComline", "txtFloppycount", "txtfloppy0",
                                 "txtfloppy1", "txtfloppy2", "txtfloppy3"}) {
            texts << box(name)->text();
        }
        QCOMPARE(texts, (QStringList{"C:\\Games\\Amiga", "C:\\Games\\WinUAE\\WinUAE.exe",
                                     "-config=", "nr_floppies", "floppy0", "floppy1", "floppy2",
                                     "floppy3"}));
        QCOMPARE(child<QComboBox>("cmbPreset")->currentText(), QString("WinUAE"));

        const QString tip = box("txtComline")->toolTip();
        QCOMPARE(tip.size(), 88);
        QCOMPARE(tip.count('"'), 3);
        QVERIFY(tip.endsWith("-config=\"C:\\Amiga\\Configurations\\1200.uae\""));

        // No caption is cut: every tab and label gets the room its text needs.
        QTabBar* bar = child<QTabWidget>("SSTab1")->tabBar();
        QCOMPARE(bar->count(), 3);
        QCOMPARE(bar->tabText(2), QString("WorkBench Locations"));
        for (int i = 0; i < bar->count(); ++i) {
            const int text = bar->fontMetrics().horizontalAdvance(bar->tabText(i));
            QVERIFY(bar->tabRect(i).width() > text);
            QVERIFY(bar->tabRect(i).right() < bar->width());
        }
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
        }
    }

    void slotsCloseUpAndAMissingKeyShowsAsNone() {
        writeSettings({{1, "/c/one.uae"}, {2, "/c/two.uae"}, {5, "/c/five.uae"}}, "7");
        open();
        QVERIFY(messages.shown.empty());
        QCOMPARE(Items(list("lstOptConfigs")),
                 (QStringList{"/c/one.uae", "/c/two.uae", "/c/five.uae", "None"}));
        QCOMPARE(box("txtComline")->text(), QString("-- "));

        // Saved by position, the blank of the pass kept, the window section as it was.
        click("cmdSave");
        QCOMPARE(dialog->outcome(), OptionsOutcome::Saved);
        QVERIFY(!dialog->isVisible());
        const std::string saved = test::ReadFile(settingsFile());
        QVERIFY(saved.find("[Config Locations]\r\n1=/c/one.uae\r\n2=/c/two.uae\r\n3=/c/five.uae\r\n"
                           "4=None\r\n5= \r\n6= \r\n8= \r\n") != std::string::npos);
        QVERIFY(saved.find("50= \r\n7= \r\n[Folder]\r\nWidth=4600\r\nHeight=4000\r\n") !=
                std::string::npos);
        QCOMPARE(read(kWinUAESection, "WinUAECommandLinePass"), std::string("-- "));
    }

    void addStopsAtTheLimitsAndACancelledPickerChangesNothing() {
        writeSettings({{1, "/c/1.uae"}});
        open();
        box("txtEXE")->setText("/old/emulator");
        click("cmdgetexe");
        QCOMPARE(box("txtEXE")->text(), QString("/old/emulator"));
        choosers.answers = {"/usr/bin/fs-uae"};
        click("cmdgetexe");
        QCOMPARE(box("txtEXE")->text(), QString("/usr/bin/fs-uae"));
        QCOMPARE(choosers.asked.back(), std::string("WinUAE Exe (*.EXE)|*.EXE|All Files|*"));
        // The toolkit's dialog takes its patterns from the last parentheses of a filter.
        QCOMPARE(QtChoosers::NameFilters(choosers.asked.back()),
                 (QStringList{"WinUAE Exe (*.EXE)", "All Files (*)"}));
        QCOMPARE(QtChoosers::NameFilters("All Files (But Should Be *.UAE)|*.*"),
                 QStringList{"All Files (But Should Be *.UAE) (*)"});

        showTab(2);
        click("cmdaddWB");  // cancelled: no empty entry
        QCOMPARE(list("lstoptWB")->count(), 0);
        QCOMPARE(choosers.asked.back(),
                 std::string("All Files (But Should Be ADF,ADZ or DMS)|*.*"));
        for (int n = 1; n <= 10; ++n) {
            choosers.answers.push_back("/wb/" + std::to_string(n) + ".adf");
            click("cmdaddWB");
        }
        QCOMPARE(list("lstoptWB")->count(), 10);
        QCOMPARE(list("lstoptWB")->item(9)->text(), QString("/wb/10.adf"));
        QCOMPARE(list("lstoptWB")->currentRow(), -1);  // adding selects nothing
        const std::size_t asked = choosers.asked.size();
        click("cmdaddWB");
        QCOMPARE(choosers.asked.size(), asked);  // refused before the picker
        QCOMPARE(messages.texts(), std::vector<std::string>{"10 WorkBench floppys only, sorry!"});

        showTab(1);
        for (int n = 2; n <= 50; ++n) {
            choosers.answers.push_back("/c/" + std::to_string(n) + ".uae");
            click("cmdgetconfig");
        }
        QCOMPARE(list("lstOptConfigs")->count(), 50);
        QCOMPARE(choosers.asked.back(), std::string("All Files (But Should Be *.UAE)|*.*"));
        click("cmdgetconfig");
        QCOMPARE(list("lstOptConfigs")->count(), 50);
        QCOMPARE(messages.shown.back().text, std::string("50 Configs only, sorry!"));
        QCOMPARE(messages.shown.back().icon, MessageIcon::Information);

        // The folder chooser's cancel empties the game folder, and the save then refuses.
        showTab(0);
        click("cmdGetGamefolder");
        QCOMPARE(choosers.asked.back(), std::string("Please select a folder."));
        QCOMPARE(box("txtGames")->text(), QString());
    }

    void deleteAsksFirstWhenGamesRememberPositions() {
        writeSettings({{1, "/c/a.uae"}, {2, "/c/b.uae"}, {3, "/c/c.uae"}});
        open();
        showTab(1);
        QListWidget* configs = list("lstOptConfigs");
        select(configs, 2);
        click("cmddeleteConfig");  // no game settings: no question
        QVERIFY(messages.shown.empty());
        QCOMPARE(Items(configs), (QStringList{"/c/a.uae", "/c/b.uae"}));
        QCOMPARE(configs->currentRow(), 0);  // the first entry, not the neighbour

        test::WriteFile(dir->path() / "GAME SETTINGS.INI", "[ZOOL]\r\nCF=1\r\n");
        select(configs, 1);
        messages.answers = {MessageAnswer::Cancel};
        click("cmddeleteConfig");
        QCOMPARE(configs->count(), 2);
        QCOMPARE(messages.shown.at(0).title, std::string("WARNING"));
        QCOMPARE(messages.shown.at(0).text,
                 std::string("This will alter the game's seperate configs. Delete all games "
                             "configs?"));
        QCOMPARE(messages.shown.at(0).icon, MessageIcon::Critical);
        QCOMPARE(messages.shown.at(0).buttons, MessageButtons::OkCancel);
        click("cmddeleteConfig");  // OK
        QCOMPARE(Items(configs), QStringList{"/c/a.uae"});

        showTab(2);
        click("cmdDelWB");  // an empty list: asked all the same, then nothing
        QCOMPARE(messages.shown.size(), std::size_t(3));
        QCOMPARE(list("lstoptWB")->count(), 0);
    }

    void saveChecksTheFieldsAndSaysWhyItFailed() {
        writeSettings({{1, "/c/a.uae"}});
        const std::string before = test::ReadFile(settingsFile());
        open();
        typeInto("txtfloppy2", "");
        click("cmdSave");
        QCOMPARE(messages.texts(), std::vector<std::string>{FieldsMissingMessage().text});
        QCOMPARE(messages.shown[0].icon, MessageIcon::Critical);
        QVERIFY(dialog->isVisible());
        QCOMPARE(test::ReadFile(settingsFile()), before);

        // Blanks are not empty; an empty Workbench list is allowed.
        typeInto("txtfloppy2", "  ");
        std::filesystem::permissions(settingsFile(), std::filesystem::perms::owner_read);
        click("cmdSave");
        QCOMPARE(messages.shown.size(), std::size_t(2));
        QVERIFY(messages.shown[1].text.find(settingsFile().string()) != std::string::npos);
        QVERIFY(messages.shown[1].text.find("read-only") != std::string::npos);
        QVERIFY(dialog->isVisible());
        QCOMPARE(box("txtfloppy2")->text(), QString("  "));

        std::filesystem::permissions(settingsFile(), std::filesystem::perms::owner_all);
        click("cmdSave");
        QCOMPARE(dialog->outcome(), OptionsOutcome::Saved);
        std::string expected = Replaced(before, "Floppy2Name=floppy2", "Floppy2Name=\"  \"");
        expected = Replaced(expected, "=\r\n", "= \r\n");  // every unused slot: one blank
        QCOMPARE(test::ReadFile(settingsFile()), expected);
    }

    void cancelAndTheCloseBoxWriteNothing() {
        writeSettings({{1, "/c/a.uae"}});
        const std::string before = test::ReadFile(settingsFile());
        open();
        typeInto("txtGames", "/elsewhere");
        click("Command1");
        QCOMPARE(dialog->outcome(), OptionsOutcome::Cancelled);
        QVERIFY(!dialog->isVisible());
        open();
        QCOMPARE(box("txtGames")->text(), QString("/games"));
        dialog->close();
        QCOMPARE(dialog->outcome(), OptionsOutcome::Closed);
        QCOMPARE(test::ReadFile(settingsFile()), before);

        // The opener keeps OptionsCancelled after a close, sets it after Cancel.
        for (const char* button : {"", "Command1"}) {
            std::filesystem::remove(settingsFile());
            LauncherSettings start;
            start.AppPath = dir->withSeparator();
            FrmMDIMain main(start, messages);
            main.setDialogRunner([button](QDialog& options) {
                if (*button != '\0') {
                    options.findChild<QPushButton*>(button)->click();
                } else {
                    options.close();
                }
                return 0;
            });
            main.load();
            QCOMPARE(main.settings().OptionsCancelled, *button != '\0');
        }
    }

    void presetsFillTheEmulatorAndOfferStarters() {
        // Stand-ins on PATH for the emulators that are not installed here.
        const auto bin = dir->path() / "bin";
        std::filesystem::create_directories(bin);
        for (const char* name : {"amiberry", "fs-uae"}) {
            test::WriteFile(bin / name, "#!/bin/sh\n");
            std::filesystem::permissions(bin / name, std::filesystem::perms::owner_all);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(bin.string()));
        open();  // the default file: its one configuration names a Windows path

        // No to the offer changes the list; the key names are filled all the same.
        auto* preset = child<QComboBox>("cmbPreset");
        preset->setFocus();
        messages.answers = {MessageAnswer::No};
        QTest::keyClick(preset, Qt::Key_A);
        QCOMPARE(preset->currentText(), QString("Amiberry"));
        QCOMPARE(messages.shown.at(1).buttons, MessageButtons::YesNo);
        QCOMPARE(Items(list("lstOptConfigs")),
                 QStringList{"C:\\Games\\WinUAE\\Configurations\\1200.uae"});
        QCOMPARE(box("txtEXE")->text(), QString::fromStdString((bin / "amiberry").string()));
        QCOMPARE(box("txtComline")->text(), QString("--config "));

        QTest::keyClick(preset, Qt::Key_Up);  // FS-UAE; Yes
        qputenv("PATH", path);
        const auto configs = dir->path() / "Configurations";
        QCOMPARE(Items(list("lstOptConfigs")),
                 (QStringList{QString::fromStdString((configs / "A500.fs-uae").string()),
                              QString::fromStdString((configs / "A1200.fs-uae").string())}));
        QCOMPARE(test::ReadFile(configs / "A1200.fs-uae"),
                 std::string("[fs-uae]\namiga_model = A1200\n"));
        click("cmdSave");

        const EmulatorPreset& fsuae = *FindEmulatorPreset("FS-UAE");
        const char* section = kWinUAESection;
        QCOMPARE(read(section, "WinUAEName"), (bin / "fs-uae").string());
        QCOMPARE(read(section, "WinUAECommandLinePass"), std::string("-- "));
        QCOMPARE(read(section, "FloppyCountName"), std::string("floppy_drive_count"));
        for (int d = 0; d < 4; ++d) {
            const std::string n = std::to_string(d);
            QCOMPARE(read(section, "Floppy" + n + "Name"), fsuae.floppyNames[d]);
            QCOMPARE(read(section, "Floppy" + n + "TypeName"), fsuae.floppyTypeNames[d]);
        }
        QCOMPARE(read(ConfigList().section, "1"), (configs / "A500.fs-uae").string());

        // Reopened, the choice shows FS-UAE; WinUAE's own settings need no starters any more.
        open();
        QCOMPARE(child<QComboBox>("cmbPreset")->currentText(), QString("FS-UAE"));
        messages.shown.clear();
        child<QComboBox>("cmbPreset")->setFocus();
        QTest::keyClick(child<QComboBox>("cmbPreset"), Qt::Key_W);
        QVERIFY(messages.shown.empty());
        click("cmdSave");
        QCOMPARE(read(section, "WinUAECommandLinePass"), std::string("-config="));
        QCOMPARE(read(section, "Floppy3TypeName"), std::string("floppy3type"));
        QCOMPARE(read(section, "Floppy0Name"), std::string("floppy0"));
    }
};

}  // namespace brackmoor

QTEST_MAIN(brackmoor::FrmOptionsTest)
#include "frm_options_test.moc"
