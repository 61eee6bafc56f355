// The folder bar and the file list through the real main window, offscreen, driven as a user
// drives them: clicks, Ctrl and Shift clicks, double clicks and right clicks on the lists. The
// launches run to the end against a real configuration file; a recording starter shows what
// would have been started.

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QtTest>
#include <filesystem>
#include <map>
#include <memory>

#include "app/frm_mdi_main.h"
#include "browser/frm_files.h"
#include "browser/frm_folder_bar.h"
#include "launch/emulator_process.h"
#include "media/frm_media.h"
#include "settings/startup.h"
#include "test_support.h"

using namespace brackmoor;
namespace fs = std::filesystem;

namespace {

const std::string kConfigText =
    "config_description=Brackmoor test machine\r\nchipset=ocs\r\nfloppy0=\r\nuse_gui=no\r\n";

// An application folder with a settings file, two configurations, a Workbench disk and a
// stand-in emulator; the games live in "games/Set" unless a test builds its own tree.
struct Browser {
    test::TempDir dir;
    test::RecordingMessages messages;
    RecordingProcessStarter starter;
    std::unique_ptr<FrmMDIMain> window;
    fs::path start;  // StartGameDir
    fs::path set;    // the folder the file list shows first

    Browser() : start(dir.path() / "games"), set(start / "Set") {
        fs::create_directories(set);
        fs::create_directories(dir.path() / "Snaps");
        test::WriteFile(config(1), kConfigText);
        test::WriteFile(config(2), kConfigText);
        test::WriteFile(emulator(), "#!/bin/sh\n");
    }

    fs::path config(int n) const { return dir.path() / (n == 1 ? "A500.uae" : "A1200.uae"); }
    fs::path emulator() const { return dir.path() / "emulator.sh"; }
    std::string workbench() const { return (dir.path() / "Workbench 1.3.adf").string(); }

    void addFiles(const std::vector<std::string>& names, const fs::path& folder = {}) const {
        for (const std::string& name : names) {
            test::WriteFile((folder.empty() ? set : folder) / name, "disk");
        }
    }
    // One record per game key: "KEY" -> "CF=1\r\nAL=1..." lines.
    void addRecords(const std::vector<std::pair<std::string, std::string>>& records) const {
        std::string text;
        for (const auto& [key, lines] : records) {
            text += "[" + key + "]\r\n" + lines;
        }
        test::WriteFile(dir.path() / "Game Settings.ini", text);
    }

    void launchStart() {
        std::string ini = "[Brackmoor]\r\nStartGameDir=" + start.string() +
                          "\r\n[WinUAE Compatability]\r\nWinUAEName=" + emulator().string() +
                          "\r\nWinUAECommandLinePass=-config=\r\nFloppyCountName=nr_floppies\r\n";
        for (int d = 0; d < 4; ++d) {
            const std::string n = std::to_string(d);
            ini += "Floppy" + n + "Name=floppy" + n + "\r\nFloppy" + n + "TypeName=floppy" + n +
                   "type\r\n";
        }
        // Every slot is listed: a missing key reads as "None", which names no file.
        ini += "[WorkBench Locations]\r\n1=" + workbench() + "\r\n";
        for (int n = 2; n <= 10; ++n) {
            ini += std::to_string(n) + "=\r\n";
        }
        ini += "[Config Locations]\r\n1=" + config(1).string() + "\r\n2=" + config(2).string() +
               "\r\n";
        for (int n = 3; n <= 50; ++n) {
            ini += std::to_string(n) + "=\r\n";
        }
        ini +=
            "[Folder]\r\nWidth=4600\r\nHeight=4000\r\nLeft=0\r\nTop=0\r\n"
            "[Files]\r\nWidth=7320\r\nHeight=7950\r\nLeft=4600\r\nTop=0\r\n"
            "[Media]\r\nWidth=4600\r\nHeight=3950\r\nLeft=0\r\nTop=4000\r\n";
        test::WriteFile(dir.path() / "Brackmoor.INI", ini);
        LauncherSettings settings;
        settings.AppPath = dir.withSeparator();
        window = std::make_unique<FrmMDIMain>(settings, messages);
        window->setProcessStarter(&starter);
        window->load();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    FrmFiles* files() const { return window->files(); }
    FrmMedia* media() const { return window->media(); }
    QListView* list() const { return files()->flbFiles(); }
    QListWidget* folders() const {
        return window->folderBar()->findChild<QListWidget*>("lstFolders");
    }
    const LauncherSettings& settings() const { return window->settings(); }

    QPoint itemCentre(int row) const {
        const QModelIndex index = list()->model()->index(row, 0);
        list()->scrollTo(index);
        return list()->visualRect(index).center();
    }
    void click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers, itemCentre(row));
    }
    void doubleClick(int row) const {
        click(row);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, itemCentre(row));
    }
    void rightClick(int row) const {
        const QPoint at = itemCentre(row);
        QTest::mousePress(list()->viewport(), Qt::RightButton, Qt::NoModifier, at);
        QTest::mouseRelease(list()->viewport(), Qt::RightButton, Qt::NoModifier, at);
    }
    int row(const std::string& name) const {
        for (int i = 0; i < files()->count(); ++i) {
            if (files()->name(i) == name) {
                return i;
            }
        }
        return -1;
    }
    std::vector<int> selected() const {
        std::vector<int> rows;
        for (int i = 0; i < files()->count(); ++i) {
            if (files()->isSelected(i)) {
                rows.push_back(i);
            }
        }
        return rows;
    }

    QStringList folderEntries() const {
        QStringList entries;
        for (int i = 0; i < folders()->count(); ++i) {
            entries << folders()->item(i)->text();
        }
        return entries;
    }
    QPoint folderCentre(const QString& entry) const {
        const auto found = folders()->findItems(entry, Qt::MatchExactly);
        return found.isEmpty() ? QPoint(-1, -1) : folders()->visualItemRect(found[0]).center();
    }
    void clickFolder(const QString& entry) const {
        QTest::mouseClick(folders()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          folderCentre(entry));
    }
    void doubleClickFolder(const QString& entry) const {
        clickFolder(entry);
        QTest::mouseDClick(folders()->viewport(), Qt::LeftButton, Qt::NoModifier,
                           folderCentre(entry));
    }

    QImage shownPicture() const {
        return media()->findChild<QLabel*>("imgMedia")->pixmap().toImage();
    }
    bool showsPlaceholder() const {
        return shownPicture() == media()->placeholderPicture().toImage();
    }
};

// The keys of the [Brackmoor] section, and how many such sections the file has.
std::map<std::string, std::string> BrackmoorSection(const fs::path& config, int* sections) {
    std::map<std::string, std::string> keys;
    const std::string text = test::ReadFile(config);
    *sections = 0;
    bool inside = false;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        begin = end + 1;
        if (!line.empty() && line.front() == '[') {
            inside = line == "[Brackmoor]";
            *sections += inside ? 1 : 0;
        } else if (inside) {
            const std::size_t eq = line.find('=');
            keys[line.substr(0, eq)] = eq == std::string::npos ? "" : line.substr(eq + 1);
        }
    }
    return keys;
}

QStringList Drives(const fs::path& config) {
    int sections = 0;
    auto keys = BrackmoorSection(config, &sections);
    QStringList drives;
    for (int d = 0; d < 4; ++d) {
        drives << QString::fromStdString(keys["floppy" + std::to_string(d)]);
    }
    return drives;
}

QStringList PathsIn(const fs::path& folder, const QStringList& names) {
    QStringList paths;
    for (const QString& name : names) {
        paths << (name.isEmpty() ? QString()
                                 : QString::fromStdString((folder / name.toStdString()).string()));
    }
    return paths;
}

void SavePicture(const fs::path& file, Qt::GlobalColor colour, const char* format) {
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(colour);
    QVERIFY(picture.save(QString::fromStdString(file.string()), format));
}

// Which of red, green and blue the middle of the picture mostly is.
char Tint(const QImage& picture) {
    const QColor c = picture.pixelColor(picture.width() / 2, picture.height() / 2);
    if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
        return 'r';
    if (c.green() > 200 && c.red() < 60 && c.blue() < 60)
        return 'g';
    if (c.blue() > 200 && c.red() < 60 && c.green() < 60)
        return 'b';
    return '?';
}

}  // namespace

class BrowserWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // --- Selection rules ----------------------------------------------------------------------

    void atMostFourStaySelectedInListOrder() {
        Browser b;
        b.addFiles({"Disk 1.adf", "Disk 2.adf", "Disk 3.adf", "Disk 4.adf", "Disk 5.adf",
                    "Disk 6.adf", "Disk 7.adf", "Disk 8.adf", "Disk 9.adf", "Disk 10.adf"});
        b.launchStart();
        QCOMPARE(b.files()->name(9), std::string("Disk 10.adf"));  // natural order
        QCOMPARE(b.selected(), std::vector<int>{0});               // the folder bar selected file 0

        b.click(1);
        b.click(6, Qt::ShiftModifier);
        QCOMPARE(b.selected(), (std::vector<int>{1, 2, 3, 4}));
        QVERIFY(b.media()->multiSelectMode());
        QVERIFY(!b.media()->tabMedia()->isEnabled());

        // A fifth added by Ctrl+click above the others pushes the lowest one out.
        b.click(0, Qt::ControlModifier);
        QCOMPARE(b.selected(), (std::vector<int>{0, 1, 2, 3}));

        // Dragging down over six disks.
        b.click(9);
        QTest::mousePress(b.list()->viewport(), Qt::LeftButton, Qt::NoModifier, b.itemCentre(2));
        for (int row = 3; row <= 7; ++row) {
            QTest::mouseMove(b.list()->viewport(), b.itemCentre(row));
        }
        QTest::mouseRelease(b.list()->viewport(), Qt::LeftButton, Qt::NoModifier, b.itemCentre(7));
        QCOMPARE(b.selected(), (std::vector<int>{2, 3, 4, 5}));
        QVERIFY(b.media()->multiSelectMode());

        // A right click with one disk selected starts nothing and changes nothing.
        b.click(8);
        b.rightClick(8);
        b.rightClick(3);
        QVERIFY(b.starter.started.empty());
        QCOMPARE(b.selected(), std::vector<int>{8});
        QVERIFY(b.messages.shown.empty());
    }

    void ctrlClicksSwitchMultiSelectAndShowTheFocusedRecord() {
        Browser b;
        b.addFiles({"Quest (Disk 1 of 2).adf", "Quest (Disk 2 of 2).adf"});
        b.addRecords({{"QUEST (DISK 1 OF 2)", "CF=1\r\nWB=1\r\nAL=0\r\nDU=0\r\n"}});
        b.launchStart();
        auto* config = b.media()->cmbConfigToUse();
        QCOMPARE(config->currentIndex(), 1);  // disk 1, selected by the folder bar
        QVERIFY(b.media()->tabMedia()->isEnabled());

        b.click(1, Qt::ControlModifier);
        QCOMPARE(b.selected(), (std::vector<int>{0, 1}));
        QVERIFY(b.media()->multiSelectMode());
        QVERIFY(!b.media()->tabMedia()->isEnabled());
        QVERIFY(b.media()->findChild<QPushButton*>("cmdStopper")->isVisible());
        // Disk 2 was clicked last: its (missing) record is shown, the no-record defaults.
        QCOMPARE(config->currentIndex(), 0);
        QCOMPARE(b.media()->cmbWBUse()->currentIndex(), 0);
        QCOMPARE(b.media()->findChild<QLineEdit*>("txtimgname")->text(),
                 QString("QUEST (DISK 2 OF 2).JPG"));

        b.click(1, Qt::ControlModifier);
        QCOMPARE(b.selected(), std::vector<int>{0});
        QVERIFY(!b.media()->multiSelectMode());
        QVERIFY(b.media()->tabMedia()->isEnabled());
        QVERIFY(!b.media()->findChild<QPushButton*>("cmdStopper")->isVisible());
    }

    void screenshotsFollowTheFocusedGame() {
        Browser b;
        b.addFiles({"Broken.adf", "Game One.adf", "Game Two A.adf", "No Shot.adf"});
        const fs::path snaps = b.dir.path() / "Snaps";
        SavePicture(snaps / "GAME ONE.jpg", Qt::red, "JPG");
        SavePicture(snaps / "GAME ONE.bmp", Qt::green, "BMP");
        SavePicture(snaps / "game two.JPG", Qt::blue, "JPG");  // named by hand
        test::WriteFile(snaps / "BROKEN.jpg", std::string("\xff\xd8\xff\xe0 not really", 16));
        b.launchStart();
        QVERIFY(b.showsPlaceholder());  // Broken.adf, selected first, has a damaged file

        b.click(b.row("Game One.adf"));
        QCOMPARE(Tint(b.shownPicture()), 'g');  // the .bmp wins over the .jpg
        b.click(b.row("No Shot.adf"));
        QVERIFY(b.showsPlaceholder());
        b.click(b.row("Game Two A.adf"));
        QCOMPARE(Tint(b.shownPicture()), 'b');
        b.click(b.row("Broken.adf"));
        QVERIFY(b.showsPlaceholder());
        QVERIFY(b.messages.shown.empty());
    }

    void oddNamesListAndSelect() {
        Browser b;
        const std::vector<std::string> names = {"ab",
                                                "a.b",
                                                "x]y.adf",
                                                "k=v.adf",
                                                "semi;colon.adf",
                                                "[Sect].adf",
                                                "\xff\xfe\x80 Latin.adf",
                                                std::string(251, 'L') + ".adf",
                                                "Line\nBreak.adf"};
        b.addFiles(names);
        b.addRecords({{"OTHER", "CF=1\r\nWB=0\r\nAL=0\r\nDU=0\r\nNotes=kept\r\n"}});
        const std::string records = test::ReadFile(b.dir.path() / "Game Settings.ini");
        b.launchStart();
        QCOMPARE(b.files()->count(), static_cast<int>(names.size()));
        for (const std::string& name : names) {
            const int row = b.row(name);
            QVERIFY2(row >= 0, name.c_str());
            b.click(row);
            QCOMPARE(b.files()->focusedIndex(), row);
            QCOMPARE(b.selected(), std::vector<int>{row});
            b.click(0, Qt::ControlModifier);
        }
        // Remembering the choices of a game without a usable key writes nothing.
        b.click(b.row("ab"));
        b.media()->findChild<QPushButton*>("cmdSaveSettings")->click();
        b.media()->findChild<QPushButton*>("cmdsavenotes")->click();
        QCOMPARE(test::ReadFile(b.dir.path() / "Game Settings.ini"), records);

        // Launching them writes each path whole as one value of the section.
        for (const std::string& name :
             {std::string("x]y.adf"), std::string("k=v.adf"), std::string("semi;colon.adf"),
              std::string("[Sect].adf"), names[6], names[7]}) {
            b.doubleClick(b.row(name));
            int sections = 0;
            auto keys = BrackmoorSection(b.config(1), &sections);
            QCOMPARE(sections, 1);
            QCOMPARE(keys["floppy0"], (b.set / name).string());
            QCOMPARE(keys.size(), std::size_t(9));
        }
        QCOMPARE(b.starter.started.size(), std::size_t(6));
        QCOMPARE(test::ReadFile(b.dir.path() / "Game Settings.ini"), records);
    }

    // --- Folder bar ----------------------------------------------------------------------------

    void folderBarMovesThroughAVolume() {
        Browser b;
        const fs::path vol = b.dir.path() / "vol";
        fs::create_directories(vol / "Games" / "Action");
        fs::create_directories(vol / "Games" / "Puzzle");
        fs::create_directories(vol / "Utils");
        b.addFiles({"Root Game.adf"}, vol);
        b.addFiles({"Games Game.adf"}, vol / "Games");
        b.addFiles({"Action Game.adf"}, vol / "Games" / "Action");
        b.start = vol;
        b.launchStart();
        FrmFolderBar* bar = b.window->folderBar();
        // Not a volume of this machine: an ordinary folder.
        QCOMPARE(b.folderEntries(), (QStringList{"Games", "Utils"}));
        QCOMPARE(b.files()->path(), (vol / "Games").string());

        bar->setVolumes({{"/", "/"}, {vol.string(), "Games Disk"}}, vol.string());
        bar->FillDirList();
        QCOMPARE(b.folderEntries(), (QStringList{"*Root*", "Games", "Utils"}));
        QCOMPARE(b.files()->path(), vol.string());
        QCOMPARE(b.files()->name(0), std::string("Root Game.adf"));
        QCOMPARE(b.selected(), std::vector<int>{0});

        b.doubleClickFolder("*Root*");  // does nothing
        QCOMPARE(b.settings().CurrentGameDir, vol.string());
        QCOMPARE(b.folderEntries(), (QStringList{"*Root*", "Games", "Utils"}));

        b.clickFolder("Utils");  // shown, not entered; no files: the tabs are off
        QCOMPARE(b.files()->path(), (vol / "Utils").string());
        QCOMPARE(b.files()->count(), 0);
        QVERIFY(!b.media()->tabMedia()->isEnabled());
        b.clickFolder("Games");
        QCOMPARE(b.files()->path(), (vol / "Games").string());
        QCOMPARE(b.selected(), std::vector<int>{0});
        QVERIFY(b.media()->tabMedia()->isEnabled());
        QCOMPARE(b.settings().CurrentGameDir, vol.string());

        b.doubleClickFolder("Games");
        QCOMPARE(b.settings().CurrentGameDir, (vol / "Games").string());
        QCOMPARE(b.settings().PreviousGameDir, vol.string());
        QCOMPARE(b.folderEntries(), (QStringList{"Action", "Puzzle"}));
        QCOMPARE(b.folders()->currentRow(), 0);
        QCOMPARE(b.files()->path(), (vol / "Games" / "Action").string());

        // Puzzle has no subfolders: the bar stays where it was.
        b.doubleClickFolder("Puzzle");
        QCOMPARE(b.settings().CurrentGameDir, (vol / "Games").string() + "/");
        QCOMPARE(b.settings().PreviousGameDir, std::string());
        QCOMPARE(b.folderEntries(), (QStringList{"Action", "Puzzle"}));
        QCOMPARE(b.folders()->currentRow(), 0);
        QCOMPARE(b.files()->path(), (vol / "Games" / "Action").string());

        // A game in a folder reached this way launches from its real path.
        b.doubleClick(0);
        QCOMPARE(Drives(b.config(1))[0],
                 QString::fromStdString((vol / "Games" / "Action" / "Action Game.adf").string()));

        auto* back = bar->findChild<QPushButton*>("cmdback");
        back->click();
        QCOMPARE(b.settings().CurrentGameDir, vol.string());
        QCOMPARE(b.folderEntries(), (QStringList{"*Root*", "Games", "Utils"}));
        back->click();  // a volume root is as far as it goes
        QCOMPARE(b.settings().CurrentGameDir, vol.string());
        QCOMPARE(b.folderEntries(), (QStringList{"*Root*", "Games", "Utils"}));

        // "*Root*" launches from the volume's root.
        b.clickFolder("*Root*");
        b.doubleClick(0);
        QCOMPARE(Drives(b.config(1))[0], QString::fromStdString((vol / "Root Game.adf").string()));
        QVERIFY(b.messages.shown.empty());
    }

    void folderBarReportsWhatTheFileSystemRefuses() {
        Browser b;
        fs::create_directories(b.start / "Other");
        fs::create_directories(b.start / "Set" / "Inner");
        b.addFiles({"Set Game.adf"});
        b.addFiles({"Other Game.adf"}, b.start / "Other");
        b.launchStart();
        QCOMPARE(b.folderEntries(), (QStringList{"Other", "Set"}));
        const std::string missingMedia = "Missing Media! CD might be busy......";
        const std::string pathsWrong = PathsWrongMessage().text;

        // A subfolder removed after it was listed: the paths-wrong message; the file list keeps
        // its folder.
        fs::remove_all(b.start / "Set");
        b.clickFolder("Set");
        QCOMPARE(b.messages.texts(), std::vector<std::string>{pathsWrong});
        QCOMPARE(b.messages.shown[0].icon, MessageIcon::Critical);
        QCOMPARE(b.files()->path(), (b.start / "Other").string());
        QCOMPARE(b.files()->name(0), std::string("Other Game.adf"));

        // Entering it: missing media, and the folder list stays as it was.
        b.doubleClickFolder("Set");
        QCOMPARE(b.messages.texts().back(), missingMedia);
        QCOMPARE(b.messages.shown.back().icon, MessageIcon::Information);
        QCOMPARE(b.folderEntries(), (QStringList{"Other", "Set"}));

        // The shown folder itself removed (a CD taken out), then the right-button refresh.
        fs::remove_all(b.start);
        b.messages.shown.clear();
        QTest::mousePress(b.folders()->viewport(), Qt::RightButton, Qt::NoModifier,
                          b.folderCentre("Other"));
        QCOMPARE(b.messages.texts(), std::vector<std::string>{missingMedia});
        QCOMPARE(b.folderEntries(), (QStringList{"Other", "Set"}));
        b.window->folderBar()->findChild<QPushButton*>("cmdback")->click();
        QCOMPARE(b.messages.texts().size(), std::size_t(2));

        // A drive that cannot be read: the drive list shows it, the folder bar the old folder.
        fs::create_directories(b.start / "Other");
        const std::string gone = (b.dir.path() / "gone").string();
        b.window->folderBar()->setVolumes({{b.dir.path().string(), "Here"}, {gone, "Gone"}},
                                          b.dir.path().string());
        const std::string before = b.settings().CurrentGameDir;
        b.messages.shown.clear();
        auto* drives = b.window->folderBar()->findChild<QComboBox*>("Drive1");
        drives->setFocus();
        QTest::keyClick(drives, Qt::Key_Down);
        QCOMPARE(drives->currentIndex(), 1);
        QCOMPARE(b.messages.texts(), std::vector<std::string>{missingMedia});
        QCOMPARE(b.settings().CurrentGameDir, before);
        QCOMPARE(b.folderEntries(), (QStringList{"Other", "Set"}));
    }

    // --- Launches -------------------------------------------------------------------------------

    void singleLaunchGathersTheLetteredSet_data() {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QStringList>("drives");
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("count");

        QTest::newRow("A to D") << "Alpha A.adf"
                                << QStringList{"Alpha A.adf", "Alpha B.adf", "Alpha C.adf",
                                               "Alpha D.adf"}
                                << "A500.uae"
                                << "4";
        QTest::newRow("A B D: no C, no D")
            << "Beta A.adf" << QStringList{"Beta A.adf", "Beta B.adf", "", ""} << "A500.uae"
            << "2";
        QTest::newRow("a lone A disk takes the next file")
            << "Gamma A.adf" << QStringList{"Gamma A.adf", "Omega.adf", "", ""} << "A1200.uae"
            << "4";
        QTest::newRow("a B disk alone")
            << "Alpha B.adf" << QStringList{"Alpha B.adf", "", "", ""} << "A500.uae"
            << "4";
        QTest::newRow("Workbench drops the D disk")
            << "Delta A.adf" << QStringList{"WB", "Delta A.adf", "Delta B.adf", "Delta C.adf"}
            << "A500.uae"
            << "4";
    }
    void singleLaunchGathersTheLetteredSet() {
        QFETCH(QString, clicked);
        QFETCH(QStringList, drives);
        QFETCH(QString, config);
        QFETCH(QString, count);
        Browser b;
        b.addFiles({"Alpha A.adf", "Alpha B.adf", "Alpha C.adf", "Alpha D.adf", "Beta A.adf",
                    "Beta B.adf", "Beta D.adf", "Delta A.adf", "Delta B.adf", "Delta C.adf",
                    "Delta D.adf", "Gamma A.adf", "Omega.adf"});
        b.addRecords({{"ALPHA", "CF=0\r\nWB=0\r\nAL=1\r\nDU=0\r\n"},
                      {"BETA", "CF=0\r\nWB=0\r\nAL=1\r\nDU=1\r\n"},
                      {"DELTA", "CF=0\r\nWB=1\r\nAL=1\r\nDU=0\r\n"},
                      {"GAMMA", "CF=1\r\nWB=0\r\nAL=1\r\nDU=0\r\n"}});
        b.launchStart();
        const int row = b.row(clicked.toStdString());
        b.doubleClick(row);

        QCOMPARE(b.messages.texts(), std::vector<std::string>{});
        const fs::path configPath = b.dir.path() / config.toStdString();
        QCOMPARE(b.starter.started.size(), std::size_t(1));
        QCOMPARE(b.starter.started[0].program, b.emulator().string());
        QCOMPARE(b.starter.started[0].arguments,
                 std::vector<std::string>{"-config=" + configPath.string()});
        QStringList expected = PathsIn(b.set, drives);
        if (drives[0] == "WB") {
            expected[0] = QString::fromStdString(b.workbench());
        }
        QCOMPARE(Drives(configPath), expected);
        int sections = 0;
        auto keys = BrackmoorSection(configPath, &sections);
        QCOMPARE(keys["nr_floppies"], count.toStdString());
        // Only the launched disk stays selected, focused, with its record shown.
        QCOMPARE(b.selected(), std::vector<int>{row});
        QCOMPARE(b.files()->focusedIndex(), row);
        QVERIFY(!b.media()->multiSelectMode());
        QVERIFY(b.media()->findChild<QCheckBox*>("chkAutoABCD")->isChecked());
        // The emulator's own lines are untouched.
        QVERIFY(test::ReadFile(configPath).rfind(kConfigText, 0) == 0);
    }

    void autoloadReloadsTheRecordBeforeTheChoicesAreRead() {
        Browser b;
        b.addFiles({"Nobody.adf", "Somebody.adf"});
        b.launchStart();
        // Changed in the media window, not remembered: the reselection brings back the
        // defaults, so the first configuration is used.
        b.media()->cmbConfigToUse()->setCurrentIndex(1);
        b.media()->findChild<QCheckBox*>("chkAutoABCD")->setChecked(true);
        b.doubleClick(0);
        QCOMPARE(b.starter.started.size(), std::size_t(1));
        QCOMPARE(b.starter.started[0].arguments,
                 std::vector<std::string>{"-config=" + b.config(1).string()});
        QVERIFY(!b.media()->findChild<QCheckBox*>("chkAutoABCD")->isChecked());

        // With autoload off the choices on screen apply, and the selection is left alone.
        b.click(1, Qt::ControlModifier);
        b.click(1, Qt::ControlModifier);
        b.click(1, Qt::ControlModifier);
        QCOMPARE(b.selected(), (std::vector<int>{0, 1}));
        b.media()->cmbConfigToUse()->setCurrentIndex(1);
        QTest::mouseDClick(b.list()->viewport(), Qt::LeftButton, Qt::NoModifier, b.itemCentre(1));
        QCOMPARE(b.starter.started.size(), std::size_t(2));
        QCOMPARE(b.starter.started[1].arguments,
                 std::vector<std::string>{"-config=" + b.config(2).string()});
        QCOMPARE(Drives(b.config(2)), PathsIn(b.set, {"Somebody.adf", "", "", ""}));
        QCOMPARE(b.selected(), (std::vector<int>{0, 1}));
    }

    void multipleLaunchTakesTheSelectionInListOrder() {
        Browser b;
        b.addFiles({"Quest (Disk 1 of 3).adf", "Quest (Disk 2 of 3).adf", "Quest (Disk 3 of 3).adf",
                    "Zork 1.adf", "Zork 2.adf", "Zork 3.adf", "Zork 4.adf", "Zork 5.adf",
                    "Zork 6.adf", "Zork 7.adf", "Zork 8.adf"});
        b.addRecords({{"QUEST (DISK 1 OF 3)", "CF=1\r\nWB=0\r\nAL=0\r\nDU=1\r\n"},
                      {"ZORK 5", "CF=0\r\nWB=1\r\nAL=0\r\nDU=0\r\n"}});
        b.launchStart();

        // Lower disks first; disk 2, clicked last, shows the defaults.
        b.click(2);
        b.click(0, Qt::ControlModifier);
        b.click(1, Qt::ControlModifier);
        QCOMPARE(b.media()->cmbConfigToUse()->currentIndex(), 0);
        b.rightClick(2);
        QCOMPARE(b.starter.started.size(), std::size_t(1));
        // Disk 1, first in the list, is reselected and its record applied.
        QCOMPARE(b.starter.started[0].arguments,
                 std::vector<std::string>{"-config=" + b.config(2).string()});
        QCOMPARE(Drives(b.config(2)),
                 PathsIn(b.set, {"Quest (Disk 1 of 3).adf", "Quest (Disk 2 of 3).adf",
                                 "Quest (Disk 3 of 3).adf", ""}));
        int sections = 0;
        auto keys = BrackmoorSection(b.config(2), &sections);
        QCOMPARE(keys["nr_floppies"], std::string("3"));
        QCOMPARE(keys["floppy3type"], std::string("-1"));
        QCOMPARE(b.selected(), std::vector<int>{0});
        QCOMPARE(b.files()->focusedIndex(), 0);
        QVERIFY(!b.media()->multiSelectMode());

        // Six selected reaching the launch (the list itself keeps four): the first four.
        {
            QItemSelectionModel* selection = b.list()->selectionModel();
            const QSignalBlocker quiet(selection);
            selection->select(
                QItemSelection(b.list()->model()->index(3, 0), b.list()->model()->index(8, 0)),
                QItemSelectionModel::ClearAndSelect);
        }
        b.window->LaunchMultiple();
        QCOMPARE(Drives(b.config(1)),
                 PathsIn(b.set, {"Zork 1.adf", "Zork 2.adf", "Zork 3.adf", "Zork 4.adf"}));
        QCOMPARE(b.selected(), std::vector<int>{3});

        // A Workbench with four selected: the fourth disk is left out.
        b.click(7);
        b.click(10, Qt::ShiftModifier);
        b.rightClick(9);
        QStringList expected = PathsIn(b.set, {"", "Zork 5.adf", "Zork 6.adf", "Zork 7.adf"});
        expected[0] = QString::fromStdString(b.workbench());
        QCOMPARE(Drives(b.config(1)), expected);
        QCOMPARE(b.starter.started.size(), std::size_t(3));
        QVERIFY(b.messages.shown.empty());
    }

    void aDiskPathThatCannotBeWrittenIsRefused() {
        Browser b;
        b.addFiles({"Line\nBreak A.adf", "Line\nBreak B.adf", "Plain.adf"});
        b.launchStart();
        const std::string before = test::ReadFile(b.config(1));
        b.doubleClick(0);
        QCOMPARE(b.messages.shown.size(), std::size_t(1));
        QCOMPARE(b.messages.shown[0].icon, MessageIcon::Critical);
        QVERIFY(b.starter.started.empty());
        QCOMPARE(test::ReadFile(b.config(1)), before);

        b.click(1, Qt::ControlModifier);
        b.rightClick(0);
        QCOMPARE(b.messages.shown.size(), std::size_t(2));
        QVERIFY(b.starter.started.empty());
        QCOMPARE(test::ReadFile(b.config(1)), before);
    }

    void aMissingEmulatorIsReportedAfterTheRewrite() {
        Browser b;
        b.addFiles({"Plain.adf"});
        b.launchStart();
        fs::remove(b.emulator());
        b.doubleClick(0);
        QCOMPARE(b.messages.texts(), std::vector<std::string>{PathsWrongMessage().text});
        QVERIFY(b.starter.started.empty());
        QCOMPARE(Drives(b.config(1)), PathsIn(b.set, {"Plain.adf", "", "", ""}));
    }
};

QTEST_MAIN(BrowserWindowTest)
#include "browser_window_test.moc"
