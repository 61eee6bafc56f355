// The folder bar and the file list through the real main window, offscreen, driven as a user
// drives them: clicks, Ctrl and Shift clicks, double clicks and right clicks. Launches run to the
// end against real configuration files; a recording starter shows what would have been started.
// The launch rules themselves (which disks make a set, drive plans, the command line) are
// unit-tested in tests/launch; here only the window's part in them is checked.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <filesystem>

#include "app/frm_mdi_main.h"
#include "browser/frm_files.h"
#include "browser/frm_folder_bar.h"
#include "media/frm_media.h"
#include "platform/process_starter.h"
#include "qt_test_support.h"
#include "recording_starter.h"
#include "settings/startup.h"

using namespace brackmoor;
namespace fs = std::filesystem;

namespace {

const std::string kConfigText = "chipset=ocs\r\nfloppy0=\r\nuse_gui=no\r\n";
constexpr auto kCtrl = Qt::ControlModifier;
const std::string kMissingMedia = "Missing Media! CD might be busy......";

// An application folder with a settings file, two configurations, a stand-in emulator, the given
// games in "games/Set" and the given game records.
struct Browser {
    TempDir dir;
    test::RecordingMessages messages;
    test::RecordingProcessStarter starter;
    std::unique_ptr<FrmMDIMain> window;
    fs::path start = dir.path() / "games";  // StartGameDir
    fs::path set = start / "Set";           // the folder the file list shows first

    explicit Browser(const std::vector<std::string>& games = {}, const std::string& records = "") {
        fs::create_directories(dir.path() / "Snaps");
        fs::create_directories(set);
        for (const std::string& name : games)
            WriteFile(set / name, "disk");
        WriteFile(this->records(), records);
        WriteFile(config(1), kConfigText);
        WriteFile(config(2), kConfigText);
        WriteFile(emulator(), "#!/bin/sh\n");
    }

    fs::path config(int n) const { return dir.path() / (n == 1 ? "A500.uae" : "A1200.uae"); }
    fs::path emulator() const { return dir.path() / "emulator.sh"; }
    fs::path records() const { return dir.path() / "Game Settings.ini"; }

    void launchStart() {
        WriteFile(dir.path() / "Brackmoor.INI",
                  test::SettingsFile(start.string(), emulator().string(),
                                     "-config=", {config(1).string(), config(2).string()})
                      .text());
        LauncherSettings settings;
        settings.AppPath = dir.withSeparator();
        settings.SnapsPath = settings.AppPath;
        window = std::make_unique<FrmMDIMain>(settings, messages);
        window->setProcessStarter(&starter);
        window->load();
        test::Show(window.get());
    }

    FrmFiles* files() const { return window->files(); }
    FrmMedia* media() const { return window->media(); }
    QListView* list() const { return files()->flbFiles(); }
    QListWidget* folders() const { return window->findChild<QListWidget*>("lstFolders"); }
    int configShown() const { return media()->cmbConfigToUse()->currentIndex(); }

    QPoint at(int row) const {
        const QModelIndex index = list()->model()->index(row, 0);
        list()->scrollTo(index);
        return list()->visualRect(index).center();
    }
    void mouse(QTest::MouseAction action, int row, Qt::KeyboardModifiers keys = {},
               Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mouseEvent(action, list()->viewport(), button, keys, at(row));
    }
    void click(int row, Qt::KeyboardModifiers keys = {}) const {
        mouse(QTest::MouseClick, row, keys);
    }
    void rightClick(int row) const { mouse(QTest::MouseClick, row, {}, Qt::RightButton); }
    void doubleClick(int row, bool clickFirst = true) const {
        if (clickFirst)
            click(row);
        mouse(QTest::MouseDClick, row);
    }
    std::vector<int> selected() const {
        std::vector<int> rows;
        for (int i = 0; i < files()->count(); ++i)
            if (files()->isSelected(i))
                rows.push_back(i);
        return rows;
    }
    // Drives 0 to 3 as the last launch wrote them: the launcher's keys follow the emulator's.
    std::vector<std::string> drives(int config) const {
        const std::string text = ReadFile(this->config(config));
        std::vector<std::string> values;
        for (const std::string key : {"\nfloppy0=", "\nfloppy1=", "\nfloppy2=", "\nfloppy3="}) {
            const std::size_t at = text.rfind(key) + key.size();
            values.push_back(text.substr(at, text.find('\r', at) - at));
        }
        return values;
    }
    // The paths of the named files in the file list's folder; "" stays empty.
    std::vector<std::string> inList(const std::vector<std::string>& names) const {
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(name.empty() ? name : files()->path() + "/" + name);
        return paths;
    }

    QStringList folderEntries() const { return test::Items(folders()); }
    void clickFolder(const QString& entry, bool twice = false) const {
        const auto item = folders()->findItems(entry, Qt::MatchExactly).value(0);
        test::ClickIn(folders(), folders()->visualItemRect(item), twice);
    }
    void clickButton(const char* button) const { test::Click(window.get(), button); }

    // The colour in the middle of the shown picture (r, g, b ...); 'p' for the placeholder.
    char picture() const {
        const QImage shown = window->findChild<QLabel*>("imgMedia")->pixmap().toImage();
        const QColor c = shown.pixelColor(shown.width() / 2, shown.height() / 2);
        const int bits = (c.red() > 128) | (c.green() > 128) << 1 | (c.blue() > 128) << 2;
        return shown == media()->placeholderPicture().toImage() ? 'p' : "krgybmcw"[bits];
    }
};

}  // namespace

class BrowserWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void selectionAndMultipleLaunches() {
        std::vector<std::string> disks;
        for (int n = 1; n <= 10; ++n)
            disks.push_back("Disk " + std::to_string(n) + ".adf");
        Browser b(disks, "[DISK 1]\r\nCF=1\r\nWB=0\r\nAL=0\r\nDU=0\r\n");
        b.launchStart();
        QCOMPARE(b.selected(), std::vector<int>{0});  // the folder bar selected it
        QCOMPARE(b.configShown(), 1);                 // disk 1's record

        // Ctrl+click: multi-select on, the tabs off, the clicked disk's (missing) record shown.
        b.click(1, kCtrl);
        QCOMPARE(b.selected(), (std::vector<int>{0, 1}));
        QVERIFY(b.media()->multiSelectMode() && !b.media()->tabMedia()->isEnabled());
        QCOMPARE(b.configShown(), 0);
        b.click(1, kCtrl);
        QCOMPARE(b.selected(), std::vector<int>{0});
        QVERIFY(!b.media()->multiSelectMode() && b.media()->tabMedia()->isEnabled());

        // At most four stay selected, the first ones in list order.
        b.click(1);
        b.click(6, Qt::ShiftModifier);
        QCOMPARE(b.selected(), (std::vector<int>{1, 2, 3, 4}));
        b.click(0, kCtrl);
        QCOMPARE(b.selected(), (std::vector<int>{0, 1, 2, 3}));

        // The stopper keeps the first of them, focused, and the tabs usable again.
        b.click(2, kCtrl);
        b.clickButton("cmdStopper");
        QCOMPARE(b.selected(), std::vector<int>{0});
        QCOMPARE(b.files()->focusedIndex(), 0);
        QVERIFY(!b.media()->multiSelectMode() && b.media()->tabMedia()->isEnabled());

        // A right click with one disk selected starts nothing and changes nothing; nor does
        // the middle button, single or double.
        b.click(8);
        b.rightClick(8);
        b.rightClick(3);
        for (const int row : {3, 8})
            QTest::mouseClick(b.list()->viewport(), Qt::MiddleButton, {}, b.at(row));
        QTest::mouseDClick(b.list()->viewport(), Qt::MiddleButton, {}, b.at(8));
        QCOMPARE(b.selected(), std::vector<int>{8});
        QVERIFY(b.starter.started.empty() && b.messages.shown.empty());

        // With more selected a right click launches them in list order, with disk 1's record
        // though another disk was clicked last; only disk 1 stays selected.
        b.click(2);
        b.click(0, kCtrl);
        b.click(1, kCtrl);
        QCOMPARE(b.configShown(), 0);  // disk 2, clicked last, has no record
        b.rightClick(2);
        QCOMPARE(b.starter.started.size(), std::size_t(1));
        QCOMPARE(b.drives(2), b.inList({"Disk 1.adf", "Disk 2.adf", "Disk 3.adf", ""}));
        QCOMPARE(b.selected(), std::vector<int>{0});
        QCOMPARE(b.files()->focusedIndex(), 0);
        QVERIFY(b.messages.shown.empty());
    }

    // The media window shows the focused game however the focus moved, and Remember and Save
    // note write that game's record and no other.
    void theMediaWindowFollowsTheFocusHoweverItMoves() {
        std::vector<std::string> games;
        std::string records;
        for (int n = 1; n <= 8; ++n) {
            games.push_back("Game " + std::to_string(n) + ".adf");
            records += "[GAME " + std::to_string(n) +
                       "]\r\nCF=0\r\nAL=0\r\nWB=0\r\nDU=0\r\nNotes=note " + std::to_string(n) +
                       "\r\n";
        }
        Browser b(games, records);
        b.launchStart();
        auto* notes = b.window->findChild<QPlainTextEdit*>("txtNotes");
        const auto follows = [&] {
            const std::string focused = "GAME " + std::to_string(b.files()->focusedIndex() + 1);
            return b.media()->shownGame() == focused &&
                   notes->toPlainText().toStdString() == "note" + focused.substr(4);
        };

        b.mouse(QTest::MousePress, 0);  // a drag that ends on the next file
        b.mouse(QTest::MouseMove, 1);
        b.mouse(QTest::MouseRelease, 1);
        QCOMPARE(b.files()->focusedIndex(), 1);
        QVERIFY(follows());
        b.mouse(QTest::MousePress, 3);  // a wobble onto the next file and back
        b.mouse(QTest::MouseMove, 4);
        b.mouse(QTest::MouseMove, 3);
        b.mouse(QTest::MouseRelease, 3);
        QCOMPARE(b.selected(), std::vector<int>{3});
        QVERIFY(follows());
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_Home,
                                  Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Down}) {
            const int before = b.files()->focusedIndex();
            QTest::keyClick(b.list(), key, kCtrl);  // the focus moves, the selection stays
            QVERIFY(b.files()->focusedIndex() != before);
            QVERIFY(follows());
        }
        QCOMPARE(b.selected(), std::vector<int>{3});

        const int focused = b.files()->focusedIndex();
        const std::string key = "[GAME " + std::to_string(focused + 1) + "]";
        b.media()->tabMedia()->setCurrentIndex(2);
        b.media()->cmbConfigToUse()->setCurrentIndex(1);
        b.clickButton("cmdSaveSettings");
        b.media()->tabMedia()->setCurrentIndex(3);
        notes->setPlainText("mine");
        b.clickButton("cmdsavenotes");
        std::string expected = records;
        const std::size_t at = expected.find(key);
        expected.replace(expected.find("CF=0", at), 4, "CF=1");
        expected.replace(expected.find("Notes=note", at), 12, "Notes=mine");
        QCOMPARE(ReadFile(b.records()), expected);
    }

    // A game double-clicked in the finder's results is shown in the folder bar and the file
    // list, and so in the media window.
    void aGameChosenInTheFinderIsShownInTheBrowser() {
        Browser b({"Top.adf"});
        fs::create_directories(b.start / "Deep" / "Er");
        for (const char* name : {"Another.adf", "Zool.adf"})
            WriteFile(b.start / "Deep" / "Er" / name, "disk");
        b.launchStart();
        b.window->setDialogRunner([](QDialog& dialog) {
            auto* pattern = dialog.findChild<QLineEdit*>("txtfindwild");
            pattern->selectAll();
            QTest::keyClicks(pattern, "zool*");
            QTest::keyClick(pattern, Qt::Key_Return);
            auto* results = dialog.findChild<QListWidget*>("lstfind");
            if (QTest::qWaitFor([&] { return results->count() == 1; })) {
                const QPoint at = results->visualItemRect(results->item(0)).center();
                QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, at);
            }
            return dialog.result();
        });
        b.window->findChild<QAction*>("mnuFind")->trigger();
        QCOMPARE(b.files()->path(), (b.start / "Deep" / "Er").string());
        QCOMPARE(b.folderEntries(), QStringList{"Er"});
        QCOMPARE(b.selected(), std::vector<int>{1});  // Zool.adf, after Another.adf
        QCOMPARE(b.media()->shownGame(), std::optional<std::string>("ZOOL"));
    }

    void screenshotsFollowTheFocusedGame() {
        Browser b({"Broken.adf", "Game One A.adf", "No Shot.adf"});
        const fs::path snaps = b.dir.path() / "Snaps";
        const std::pair<const char*, Qt::GlobalColor> pictures[] = {{"GAME ONE.jpg", Qt::red},
                                                                    {"game one.BMP", Qt::green}};
        for (const auto& [name, colour] : pictures) {
            QImage picture(64, 48, QImage::Format_RGB32);
            picture.fill(colour);
            QVERIFY(picture.save(QString::fromStdString((snaps / name).string())));
        }
        WriteFile(snaps / "BROKEN.jpg", std::string("\xff\xd8\xff\xe0 not really", 16));
        b.launchStart();
        QCOMPARE(b.picture(), 'p');  // Broken.adf, selected first, has a damaged file
        // The .bmp wins over the .jpg; a game without one shows the placeholder again.
        for (const auto& [row, picture] : {std::pair{1, 'g'}, {2, 'p'}, {1, 'g'}, {0, 'p'}}) {
            b.click(row);
            QCOMPARE(b.picture(), picture);
        }
    }

    void folderBarMovesThroughAVolumeAndReportsWhatIsGone() {
        Browser b;
        const fs::path vol = b.dir.path() / "vol";
        for (const fs::path& folder :
             {vol / "Games" / "Action", vol / "Games" / "Puzzle", vol / "Utils"})
            fs::create_directories(folder);
        WriteFile(vol / "Games" / "Action" / "Action Game.adf", "disk");
        b.start = vol;
        b.launchStart();
        const QStringList atRoot = {"*Root*", "Games", "Utils"}, inGames = {"Action", "Puzzle"};
        QCOMPARE(b.folderEntries(), (QStringList{"Games", "Utils"}));  // not a volume yet
        b.window->folderBar()->setVolumes({{"/", "/"}, {vol.string(), "Games Disk"}}, vol.string());
        b.window->folderBar()->FillDirList();
        QCOMPARE(b.folderEntries(), atRoot);
        // Only the left button selects or enters a folder.
        const auto* games = b.folders()->findItems("Games", Qt::MatchExactly).value(0);
        const QPoint gamesAt = b.folders()->visualItemRect(games).center();
        QTest::mouseClick(b.folders()->viewport(), Qt::MiddleButton, {}, gamesAt);
        QTest::mouseDClick(b.folders()->viewport(), Qt::MiddleButton, {}, gamesAt);
        QCOMPARE(b.folders()->currentRow(), 0);
        QCOMPARE(b.folderEntries(), atRoot);
        b.clickFolder("Games", true);
        QCOMPARE(b.window->settings().CurrentGameDir, (vol / "Games").string());
        QCOMPARE(b.folderEntries(), inGames);
        QCOMPARE(b.files()->path(), (vol / "Games" / "Action").string());
        b.clickFolder("Puzzle", true);  // no subfolders: the bar and the list stay
        QCOMPARE(b.folderEntries(), inGames);
        QCOMPARE(b.files()->path(), (vol / "Games" / "Action").string());
        b.doubleClick(0);
        QCOMPARE(b.drives(1), b.inList({"Action Game.adf", "", "", ""}));

        b.clickButton("cmdback");
        QCOMPARE(b.folderEntries(), atRoot);
        b.clickButton("cmdback");  // a volume root is as far as it goes
        QCOMPARE(b.window->settings().CurrentGameDir, vol.string());
        QCOMPARE(b.folderEntries(), atRoot);
        const auto* dlbFolders = b.window->findChild<QLabel*>("dlbFolders");
        QVERIFY(dlbFolders != nullptr && dlbFolders->isHidden());
        QCOMPARE(dlbFolders->text().toStdString(), vol.string());

        // A listed folder removed: showing it gives the paths-wrong message and the file list
        // keeps its folder; entering it gives missing media and the bar stays as it was.
        const std::string shown = b.files()->path();
        fs::remove_all(vol / "Utils");
        b.clickFolder("Utils");
        QCOMPARE(b.messages.texts(), std::vector<std::string>{PathsWrongMessage().text});
        QCOMPARE(b.files()->path(), shown);
        b.clickFolder("Utils", true);
        QCOMPARE(b.messages.texts().back(), kMissingMedia);
        QCOMPARE(b.folderEntries(), atRoot);
        QCOMPARE(b.window->settings().CurrentGameDir, vol.string());  // still usable
        b.clickFolder("Games", true);
        QCOMPARE(b.files()->path(), (vol / "Games" / "Action").string());
    }

    void aLaunchRereadsTheRecordAndReselectsTheDisk() {
        Browser b({"Alpha A.adf", "Alpha B.adf", "Alpha C.adf", "Alpha D.adf", "Plain.adf"},
                  "[ALPHA]\r\nCF=0\r\nWB=0\r\nAL=1\r\nDU=0\r\n");
        b.launchStart();
        b.click(4);
        b.click(0, kCtrl);
        // A choice changed on screen but not remembered is undone by rereading the record: its
        // autoload gathers the set, its configuration is used.
        b.media()->cmbConfigToUse()->setCurrentIndex(1);
        b.doubleClick(0, false);
        QVERIFY(b.messages.shown.empty());
        QCOMPARE(b.starter.started.size(), std::size_t(1));
        QCOMPARE(b.drives(1),
                 b.inList({"Alpha A.adf", "Alpha B.adf", "Alpha C.adf", "Alpha D.adf"}));
        QCOMPARE(b.selected(), std::vector<int>{0});  // from 0 and 4
        QCOMPARE(b.files()->focusedIndex(), 0);
        QVERIFY(!b.media()->multiSelectMode());

        // Enter on the list does what a double click does.
        QTest::keyClick(b.list(), Qt::Key_Return);
        QCOMPARE(b.starter.started.size(), std::size_t(2));
        QCOMPARE(b.starter.started[1], b.starter.started[0]);

        // Without the emulator the configuration is still written, then the paths are wrong.
        fs::remove(b.emulator());
        b.doubleClick(4);
        QCOMPARE(b.messages.texts(), std::vector<std::string>{PathsWrongMessage().text});
        QCOMPARE(b.starter.started.size(), std::size_t(2));
        QCOMPARE(b.drives(1), b.inList({"Plain.adf", "", "", ""}));
    }
};

QTEST_MAIN(BrowserWindowTest)
#include "browser_window_test.moc"
