// The options dialog offscreen, driven as a user would: what it shows when it opens, the
// pickers, Add and Delete with their limits and question, the save with its check and its
// bytes, Cancel and the close box, and the emulator presets.

#include <QLabel>
#include <QLineEdit>
#include <memory>
#include <regex>

#include <unistd.h>

#include "options/emulator_presets.h"
#include "options/frm_options.h"
#include "platform/qt_choosers.h"
#include "qt_test_support.h"
#include "settings/profile_values.h"
#include "settings/settings_schema.h"
#include "settings/startup.h"

namespace brackmoor {

using test::Items;

class FrmOptionsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> dir;
    test::RecordingMessages messages;
    test::ScriptedChoosers choosers;
    std::unique_ptr<FrmOptions> dialog;

    std::filesystem::path settingsFile() const { return dir->path() / "Brackmoor.ini"; }
    std::string read(const char* section, const std::string& key) const {
        return ReadProfileValue(dir->withSeparator(), section, key);
    }
    void open() {
        dialog = std::make_unique<FrmOptions>(dir->withSeparator(), messages, &choosers);
        test::Show(dialog.get());
    }
    QLineEdit* box(const char* name) const { return dialog->findChild<QLineEdit*>(name); }
    QListWidget* list(const char* name) const { return dialog->findChild<QListWidget*>(name); }
    void click(const char* name) { test::Click(dialog.get(), name); }
    void showTab(int index) {
        test::ShowTab(test::Child<QTabWidget>(dialog.get(), "SSTab1"), index);
    }
    void typeInto(const char* name, const QString& text) {
        box(name)->selectAll();
        QTest::keyClick(box(name), Qt::Key_Delete);
        QTest::keyClicks(box(name), text);
    }
    // A settings file with these configurations ("" leaves a slot empty) and a window section;
    // `missing` names a configuration key left out.
    void writeSettings(const std::vector<std::string>& configs, const std::string& missing = "") {
        std::string text =
            test::SettingsFile("/games", "/usr/bin/fs-uae", "\"-- \"", configs).text();
        if (!missing.empty())
            text.erase(text.find("\n" + missing + "=\r\n", text.find("[Config")) + 1,
                       missing.size() + 3);
        WriteFile(settingsFile(), text + "[Folder]\r\nWidth=4600\r\nHeight=4000\r\n");
    }

private Q_SLOTS:
    void init() {
        dir = std::make_unique<TempDir>();
        messages = test::RecordingMessages();
        choosers = test::ScriptedChoosers();
    }
    void cleanup() { dialog.reset(); }

    void firstOpeningWritesTheDefaultsAndShowsEveryCaptionWhole() {
        open();  // the bytes of the default file are checked where it is written
        QCOMPARE(messages.texts(), std::vector<std::string>{DefaultSettingsMessage().text});
        QCOMPARE(Items(list("lstOptConfigs")),
                 QStringList{"C:\\Games\\WinUAE\\Configurations\\1200.uae"});
        QCOMPARE(list("lstOptConfigs")->currentRow(), 0);
        // No caption is cut: every tab and label gets the room its text needs.
        QTabBar* bar = dialog->findChild<QTabWidget*>("SSTab1")->tabBar();
        for (int i = 0; i < bar->count(); ++i) {
            QVERIFY(bar->tabRect(i).width() >
                    bar->fontMetrics().horizontalAdvance(bar->tabText(i)));
            QVERIFY(bar->tabRect(i).right() < bar->width());
        }
        for (QLabel* label : dialog->findChildren<QLabel*>())
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
    }

    void slotsCloseUpAndAMissingKeyShowsAsNone() {
        writeSettings({"/c/one.uae", "/c/two.uae", "", "", "/c/five.uae"}, "7");
        open();
        QVERIFY(messages.shown.empty());
        QCOMPARE(Items(list("lstOptConfigs")),
                 (QStringList{"/c/one.uae", "/c/two.uae", "/c/five.uae", "None"}));
        QCOMPARE(box("txtComline")->text(), QString("-- "));

        // Saved by position, the blank of the pass kept, the window section as it was.
        click("cmdSave");
        QCOMPARE(dialog->outcome(), OptionsOutcome::Saved);
        QVERIFY(!dialog->isVisible());
        const std::string saved = ReadFile(settingsFile());
        QVERIFY(saved.find("[Config Locations]\r\n1=/c/one.uae\r\n2=/c/two.uae\r\n3=/c/five.uae\r\n"
                           "4=None\r\n5= \r\n6= \r\n8= \r\n") != std::string::npos);
        QVERIFY(saved.find("50= \r\n7= \r\n[Folder]\r\nWidth=4600\r\nHeight=4000\r\n") !=
                std::string::npos);
        QCOMPARE(read(kWinUAESection, "WinUAECommandLinePass"), std::string("-- "));
    }

    void addStopsAtTheLimitsAndACancelledPickerChangesNothing() {
        writeSettings({"/c/1.uae"});
        open();
        box("txtEXE")->setText("/old/emulator");
        click("cmdgetexe");  // cancelled
        QCOMPARE(box("txtEXE")->text(), QString("/old/emulator"));
        choosers.answers = {"/usr/bin/fs-uae"};
        click("cmdgetexe");
        QCOMPARE(box("txtEXE")->text(), QString("/usr/bin/fs-uae"));
        // The toolkit's dialog takes its patterns from the last parentheses of a filter.
        QCOMPARE(QtChoosers::NameFilters("WinUAE Exe (*.EXE)|*.EXE|All Files|*"),
                 (QStringList{"WinUAE Exe (*.EXE)", "All Files (*)"}));
        QCOMPARE(QtChoosers::NameFilters("All Files (But Should Be *.UAE)|*.*"),
                 QStringList{"All Files (But Should Be *.UAE) (*)"});
        // Shown as written: the added pattern is hidden where every description needed one.
        QVERIFY(QtChoosers::PatternsHidden("All Files (But Should Be *.UAE)|*.*"));
        QVERIFY(!QtChoosers::PatternsHidden("WinUAE Exe (*.EXE)|*.EXE|All Files|*"));

        // Up to the limit, then refused before the picker opens; adding selects nothing.
        const auto fill = [&](int tab, const char* button, const char* name, int limit,
                              const std::string& refusal) {
            showTab(tab);
            for (int n = list(name)->count() + 1; n <= limit; ++n) {
                choosers.answers.push_back("/x/" + std::to_string(n));
                click(button);
            }
            QCOMPARE(list(name)->count(), limit);
            QCOMPARE(list(name)->item(limit - 1)->text(), QString("/x/%1").arg(limit));
            const std::size_t asked = choosers.asked.size();
            click(button);
            QCOMPARE(list(name)->count(), limit);
            QCOMPARE(choosers.asked.size(), asked);
            QCOMPARE(messages.shown.back().text, refusal);
            QCOMPARE(messages.shown.back().icon, MessageIcon::Information);
        };
        showTab(2);
        click("cmdaddWB");  // cancelled: no empty entry
        QCOMPARE(list("lstoptWB")->count(), 0);
        fill(2, "cmdaddWB", "lstoptWB", 10, "10 WorkBench floppys only, sorry!");
        QCOMPARE(list("lstoptWB")->currentRow(), -1);
        fill(1, "cmdgetconfig", "lstOptConfigs", 50, "50 Configs only, sorry!");

        // The folder chooser's cancel empties the game folder, and the save then refuses.
        showTab(0);
        click("cmdGetGamefolder");
        QCOMPARE(box("txtGames")->text(), QString());
    }

    void deleteAsksFirstWhenGamesRememberPositions() {
        writeSettings({"/c/a.uae", "/c/b.uae", "/c/c.uae"});
        open();
        showTab(1);
        QListWidget* configs = list("lstOptConfigs");
        test::ClickItem(configs, 2);
        // Only the left button selects.
        QTest::mouseClick(configs->viewport(), Qt::RightButton, {},
                          configs->visualItemRect(configs->item(0)).center());
        click("cmddeleteConfig");  // no game settings: no question
        QVERIFY(messages.shown.empty());
        QCOMPARE(Items(configs), (QStringList{"/c/a.uae", "/c/b.uae"}));
        QCOMPARE(configs->currentRow(), 0);  // the first entry, not the neighbour

        WriteFile(dir->path() / "GAME SETTINGS.INI", "[ZOOL]\r\nCF=1\r\n");
        test::ClickItem(configs, 1);
        messages.answers = {MessageAnswer::Cancel};
        click("cmddeleteConfig");
        QCOMPARE(configs->count(), 2);
        QCOMPARE(messages.shown.at(0).buttons, MessageButtons::OkCancel);
        click("cmddeleteConfig");  // OK
        QCOMPARE(Items(configs), QStringList{"/c/a.uae"});

        showTab(2);
        click("cmdDelWB");  // an empty list: asked all the same, then nothing
        QCOMPARE(messages.shown.size(), std::size_t(3));
        QCOMPARE(list("lstoptWB")->count(), 0);
    }

    void saveChecksTheFieldsFirst() {
        writeSettings({"/c/a.uae"});
        const std::string before = ReadFile(settingsFile());
        open();
        typeInto("txtfloppy2", "");
        click("cmdSave");
        QCOMPARE(messages.texts(), std::vector<std::string>{FieldsMissingMessage().text});
        QCOMPARE(messages.shown[0].icon, MessageIcon::Critical);
        QVERIFY(dialog->isVisible());
        QCOMPARE(ReadFile(settingsFile()), before);

        // Blanks are not empty; an empty Workbench list is allowed.
        typeInto("txtfloppy2", "  ");
        click("cmdSave");
        QCOMPARE(dialog->outcome(), OptionsOutcome::Saved);
        // Every unused slot is written as one blank.
        const std::string expected = std::regex_replace(before, std::regex("=\r\n"), "= \r\n");
        QCOMPARE(ReadFile(settingsFile()),
                 std::regex_replace(expected, std::regex("=floppy2\r"), "=\"  \"\r"));
    }

    // A save the disk refuses says why and changes nothing: the dialog stays open with every
    // edit, the old file keeps its bytes and no temporary file is left; once the fault is gone
    // the same edits are saved. The full disk is the fault campaign's (tests/fault), which
    // mounts a small file system for TMPDIR; it runs the read-only folder as another user, since
    // an administrator may write in one.
    void aRefusedSaveKeepsTheDialogAndTheFile_data() {
        QTest::addColumn<char>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only file") << 'r' << "the file is read-only";
        QTest::newRow("read-only folder") << 'f' << "cannot create a file in the folder";
        QTest::newRow("full disk") << 'd' << "is full";
    }
    void aRefusedSaveKeepsTheDialogAndTheFile() {
        QFETCH(char, fault);
        QFETCH(QString, reason);
        if (fault == 'f' && ::geteuid() == 0)
            QSKIP("an administrator may write in a read-only folder");
        if (fault == 'd' && qEnvironmentVariableIsEmpty("BRACKMOOR_FILL_DISK"))
            QSKIP("the fault campaign fills a small file system for this");
        writeSettings({"/c/a.uae", "/c/b.uae"});
        open();
        const char* names[] = {"txtEXE",     "txtGames",   "txtComline", "txtFloppycount",
                               "txtfloppy0", "txtfloppy1", "txtfloppy2", "txtfloppy3"};
        for (const char* name : names)
            typeInto(name, QString("new ") + name);
        showTab(1);
        test::ClickItem(list("lstOptConfigs"), 0);
        click("cmddeleteConfig");
        choosers.answers = {"/c/c.uae", "/wb/1.adf"};
        click("cmdgetconfig");
        showTab(2);
        click("cmdaddWB");
        const std::string before = ReadFile(settingsFile());
        const std::vector<std::string> entries = test::FolderNames(dir->path());
        using std::filesystem::perms;
        std::filesystem::path filler;
        if (fault == 'r')
            std::filesystem::permissions(settingsFile(), perms::owner_read | perms::group_read);
        if (fault == 'f')
            std::filesystem::permissions(dir->path(), perms::owner_read | perms::owner_exec);
        if (fault == 'd')
            filler = test::FillFileSystem(dir->path());

        click("cmdSave");
        QCOMPARE(messages.shown.size(), std::size_t(1));
        const QString text = QString::fromStdString(messages.shown[0].text);
        QVERIFY2(
            text.contains(QString::fromStdString(settingsFile().string())) && text.contains(reason),
            qPrintable(text));
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->outcome(), OptionsOutcome::Closed);
        for (const char* name : names)
            QCOMPARE(box(name)->text(), QString("new ") + name);
        QCOMPARE(Items(list("lstOptConfigs")), (QStringList{"/c/b.uae", "/c/c.uae"}));
        QCOMPARE(Items(list("lstoptWB")), QStringList{"/wb/1.adf"});
        QCOMPARE(ReadFile(settingsFile()), before);
        std::vector<std::string> left = test::FolderNames(dir->path());
        left.erase(std::remove(left.begin(), left.end(), "filler"), left.end());
        QCOMPARE(left, entries);

        std::filesystem::permissions(settingsFile(), perms::owner_read | perms::owner_write);
        std::filesystem::permissions(dir->path(), perms::owner_all);
        if (!filler.empty())
            std::filesystem::remove(filler);
        click("cmdSave");
        QCOMPARE(dialog->outcome(), OptionsOutcome::Saved);
        QCOMPARE(read(kWinUAESection, "Floppy3Name"), std::string("new txtfloppy3"));
        QCOMPARE(read("Config Locations", "2"), std::string("/c/c.uae"));
    }

    // Whoever opened the dialog learns which way it ended (tested with the main window).
    void cancelAndTheCloseBoxWriteNothing() {
        writeSettings({"/c/a.uae"});
        const std::string before = ReadFile(settingsFile());
        for (const bool closeBox : {false, true}) {
            open();
            QCOMPARE(box("txtGames")->text(), QString("/games"));
            typeInto("txtGames", "/elsewhere");
            closeBox ? void(dialog->close()) : click("Command1");
            QCOMPARE(dialog->outcome(),
                     closeBox ? OptionsOutcome::Closed : OptionsOutcome::Cancelled);
            QVERIFY(!dialog->isVisible());
        }
        QCOMPARE(ReadFile(settingsFile()), before);
    }

    // Each preset fills the emulator's keys; the starter configurations are offered while no
    // configuration file exists, and the list changes only on Yes.
    void presetsFillTheEmulatorAndOfferStarters() {
        // Stand-ins on PATH for the emulators that are not installed here.
        const auto bin = dir->path() / "bin";
        std::filesystem::create_directories(bin);
        for (const char* name : {"amiberry", "fs-uae"}) {
            WriteFile(bin / name, "#!/bin/sh\n");
            std::filesystem::permissions(bin / name, std::filesystem::perms::owner_all);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(bin.string()));
        const struct {
            const char* shown;  // before the choice
            Qt::Key key;
            const char* name;
            bool offered;
            MessageAnswer answer;
            int configs;
        } steps[] = {{"WinUAE", Qt::Key_A, "Amiberry", true, MessageAnswer::No, 1},
                     {"Amiberry", Qt::Key_F, "FS-UAE", true, MessageAnswer::Yes, 2},
                     {"FS-UAE", Qt::Key_W, "WinUAE", false, MessageAnswer::Yes, 2}};
        for (const auto& step : steps) {
            open();  // first the default file: its one configuration names a Windows path
            auto* preset = dialog->findChild<QComboBox*>("cmbPreset");
            QCOMPARE(preset->currentText(), QString(step.shown));
            messages.shown.clear();
            messages.answers = {step.answer};
            preset->setFocus();
            QTest::keyClick(preset, step.key);
            QCOMPARE(preset->currentText(), QString(step.name));
            QCOMPARE(messages.shown.size(), std::size_t(step.offered));
            QVERIFY(!step.offered || messages.shown[0].buttons == MessageButtons::YesNo);
            QCOMPARE(list("lstOptConfigs")->count(), step.configs);
            click("cmdSave");
            const EmulatorPreset& chosen = *FindEmulatorPreset(step.name);
            const char* section = kWinUAESection;
            QCOMPARE(read(section, "WinUAEName"), FindEmulatorProgram(chosen, bin.string()));
            QCOMPARE(read(section, "WinUAECommandLinePass"), chosen.commandLinePass);
            QCOMPARE(read(section, "FloppyCountName"), chosen.floppyCountName);
            for (int d = 0; d < 4; ++d) {
                const std::string n = std::to_string(d);
                QCOMPARE(read(section, "Floppy" + n + "Name"), chosen.floppyNames[d]);
                QCOMPARE(read(section, "Floppy" + n + "TypeName"), chosen.floppyTypeNames[d]);
            }
        }
        qputenv("PATH", path);
    }
};

}  // namespace brackmoor

QTEST_MAIN(brackmoor::FrmOptionsTest)
#include "frm_options_test.moc"
