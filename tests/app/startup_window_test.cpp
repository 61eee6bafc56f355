// Start-up through the real main window, offscreen: what the user is told and what the windows
// show afterwards.

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "app/frm_mdi_main.h"
#include "browser/frm_files.h"
#include "browser/frm_folder_bar.h"
#include "media/frm_media.h"
#include "settings/startup.h"
#include "test_support.h"

using namespace brackmoor;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

namespace {

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// A good settings file with the saved window places; `files` is the "Files" section.
std::string GoodSettings(const std::string& games, const std::string& files) {
    test::SettingsFile settings;
    settings.startDir = games;
    settings.extra = "[Folder]\r\nWidth=4600\r\nHeight=4000\r\nLeft=0\r\nTop=0\r\n" + files +
                     "[Media]\r\nWidth=4600\r\nHeight=3950\r\nLeft=0\r\nTop=4000\r\n";
    return settings.text();
}

struct Started {
    test::RecordingMessages messages;
    std::unique_ptr<FrmMDIMain> window;
    int dialogsRun = 0;
    QStringList dialogValues;

    explicit Started(
        const std::string& appPath, std::function<void(QDialog&)> answer = [](QDialog&) {}) {
        LauncherSettings settings;
        settings.AppPath = appPath;
        window = std::make_unique<FrmMDIMain>(settings, messages);
        window->setDialogRunner([this, answer](QDialog& dialog) {
            ++dialogsRun;
            for (const char* name : {"txtGames", "txtEXE", "txtComline", "txtFloppycount",
                                     "txtfloppy0", "txtfloppy3"}) {
                if (const auto* box = dialog.findChild<QLineEdit*>(name))
                    dialogValues << box->text();
            }
            answer(dialog);
            return 0;
        });
        window->load();
        window->show();
    }
    QStringList texts() const {
        QStringList out;
        for (const auto& t : messages.texts())
            out << QString::fromStdString(t);
        return out;
    }
};

}  // namespace

class StartupWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartInAnEmptyFolder() {
        TempDir dir;
        QStringList configs;
        QStringList workbenches;
        bool configSelected = false;
        Started s(dir.withSeparator(), [&](QDialog& dialog) {
            const auto* list = dialog.findChild<QListWidget*>("lstOptConfigs");
            configs << list->item(0)->text();
            configSelected = list->currentRow() == 0;
            QCOMPARE(dialog.findChild<QListWidget*>("lstoptWB")->count(), 0);
        });

        QCOMPARE(s.dialogsRun, 1);
        QCOMPARE(configs, QStringList{"C:\\Games\\WinUAE\\Configurations\\1200.uae"});
        QVERIFY(configSelected);
        QCOMPARE(s.dialogValues, (QStringList{"C:\\Games\\Amiga", "C:\\Games\\WinUAE\\WinUAE.exe",
                                              "-config=", "nr_floppies", "floppy0", "floppy3"}));
        const QStringList texts = s.texts();
        QCOMPARE(texts.size(), 4);
        QCOMPARE(texts[0], QString("No local 'Snaps' folder, making one now."));
        QCOMPARE(s.messages.shown[0].icon, MessageIcon::Critical);
        QVERIFY(texts[1].startsWith("You don't have a file called 'Brackmoor.INI'"));
        QCOMPARE(s.messages.shown[1].icon, MessageIcon::Information);
        // The default start folder names a Windows drive, which does not exist here: the load
        // says so, and so does the folder bar when it tries to show it.
        QCOMPARE(texts[2], QString::fromStdString(PathsWrongMessage().text));
        QCOMPARE(texts[3], QString::fromStdString(PathsWrongMessage().text));

        QVERIFY(std::filesystem::is_directory(dir.path() / "Snaps"));
        QVERIFY(std::filesystem::exists(dir.path() / "Brackmoor.ini"));
        QCOMPARE(Items(s.window->media()->cmbConfigToUse()), QStringList{"1200.uae"});
        QCOMPARE(s.window->media()->cmbConfigToUse()->currentIndex(), 0);
        QCOMPARE(Items(s.window->media()->cmbWBUse()), QStringList{"NONE"});
        QCOMPARE(s.window->media()->cmbWBUse()->currentIndex(), 0);
        QCOMPARE(s.window->windowTitle(), QString("Brackmoor"));
    }

    void cancelInTheFirstStartDialogIsRemembered() {
        TempDir dir;
        Started s(dir.withSeparator(),
                  [](QDialog& dialog) { dialog.findChild<QPushButton*>("Command1")->click(); });
        QVERIFY(s.window->settings().OptionsCancelled);
        QVERIFY(std::filesystem::exists(dir.path() / "Brackmoor.ini"));  // written on opening
    }

    void aGoodFileStartsQuietlyAtTheSavedPlaces() {
        TempDir dir;
        std::filesystem::create_directory(dir.path() / "Snaps");
        const std::string settings =
            GoodSettings(dir.path().string(), "[Files]\r\nHeight=7950\r\nLeft=4600\r\nTop=0\r\n");
        WriteFile(dir.path() / "Brackmoor.INI", settings);
        Started s(dir.withSeparator());

        QCOMPARE(s.dialogsRun, 0);
        QVERIFY(s.texts().isEmpty());
        // 15 twips are a pixel at 96 DPI.
        QCOMPARE(s.window->folderBar()->geometry(), QRect(0, 0, 307, 267));
        // The media window's own minimum (3950 twips) may round its height up by a pixel.
        QCOMPARE(s.window->media()->geometry().topLeft(), QPoint(0, 267));
        QCOMPARE(s.window->media()->width(), 307);
        QVERIFY(qAbs(s.window->media()->height() - 263) <= 1);
        // No Width: 0, raised to the smallest frame the window system draws.
        const QRect files = s.window->files()->geometry();
        QCOMPARE(files.topLeft(), QPoint(307, 0));
        QCOMPARE(files.height(), 530);
        QCOMPARE(files.width(), s.window->files()->minimumSizeHint().width());
        QVERIFY(s.window->files()->isVisible());
        QCOMPARE(s.window->folderBar()->dlbFoldersPath(), dir.path().string());
        QCOMPARE(ReadFile(dir.path() / "Brackmoor.INI"), settings);  // never rewritten unasked
    }

    void aRemovedConfigurationKeyRevertsToTheRoot() {
        TempDir dir;
        std::filesystem::create_directory(dir.path() / "Snaps");
        std::string settings = GoodSettings(dir.path().string(), "");
        settings.replace(settings.find("2=\r\n", settings.find("[Config")), 4, "");
        WriteFile(dir.path() / "Brackmoor.INI", settings);
        Started s(dir.withSeparator());

        QCOMPARE(s.texts().size(), 1);
        QCOMPARE(s.texts()[0],
                 QString("Missing media! Reverting to '/' \rEither wrong location of games in the "
                         "INI file or missing CD/DVD. Change\\Replace the CD and right click on "
                         "the 'Folder Window' to refresh"));
        QCOMPARE(s.messages.shown[0].icon, MessageIcon::Information);
        QCOMPARE(Items(s.window->media()->cmbConfigToUse()), QStringList{"A500.uae"});
        QCOMPARE(s.window->media()->cmbWBUse()->count(), 0);
        QCOMPARE(s.window->folderBar()->dlbFoldersPath(), std::string("/"));
        QCOMPARE(s.window->files()->path(), std::string("/"));
        QCOMPARE(s.window->settings().WinUAEName, std::string());
    }

    void aMissingStartFolderAndEmptyEmulatorSettingsAreEachReported() {
        TempDir dir;
        std::filesystem::create_directory(dir.path() / "Snaps");
        std::string settings = GoodSettings((dir.path() / "gone").string(), "");
        settings.replace(settings.find("/usr/bin/fs-uae"), 15, "");
        settings.replace(settings.find("-config="), 8, "");
        WriteFile(dir.path() / "Brackmoor.INI", settings);
        Started s(dir.withSeparator());
        // The load goes on after the missing folder; the folder bar then reports it again.
        const QString wrong = QString::fromStdString(PathsWrongMessage().text);
        const QString header = "There was an INI error. Please edit the 'Brackmoor.INI'\n\r\n\r";
        QCOMPARE(s.texts(),
                 (QStringList{wrong, header + "WinUAE's executible location missing!",
                              header + "WinUAE's commandline command is missing!", wrong}));
        QCOMPARE(s.messages.shown[1].icon, MessageIcon::Critical);
    }

    void anUnwritableApplicationFolderIsReportedAndStartUpGoesOn() {
        Started s("/proc/self/");
        const QStringList texts = s.texts();
        QVERIFY(texts.size() >= 3);
        QCOMPARE(texts[0], QString("No local 'Snaps' folder, making one now."));
        QVERIFY(texts[1].startsWith("Cannot write the 'Snaps' folder"));
        QVERIFY(texts.filter("Cannot write the settings file").size() == 1);
        QVERIFY(s.window->isVisible());
    }

    void windowPositionsAreSavedExactlyAndRestoredWithoutWriting() {
        TempDir dir;
        std::filesystem::create_directory(dir.path() / "Snaps");
        WriteFile(dir.path() / "Brackmoor.INI",
                  GoodSettings(dir.path().string(),
                               "[Files]\r\nWidth=7320\r\nHeight=7950\r\nLeft=4600\r\nTop=0\r\n"));
        Started s(dir.withSeparator());
        const auto section = [&](const char* name) {
            const std::string text = ReadFile(dir.path() / "Brackmoor.INI");
            const std::size_t at = text.find(std::string("[") + name + "]");
            return text.substr(at, text.find('[', at + 1) - at);
        };
        // The saved arrangement is the default one: written back as it was, a blank before each.
        s.window->findChild<QAction*>("mnuSaveWindows")->trigger();
        QCOMPARE(section("Folder"), std::string("[Folder]\r\nWidth= 4600\r\nHeight= 4000\r\n"
                                                "Left= 0\r\nTop= 0\r\n"));
        // Dragged past the left edge, enlarged: the new values, a negative one without a blank.
        s.window->folderBar()->move(-8, 0);
        s.window->media()->resize(400, 300);
        s.window->findChild<QAction*>("mnuSaveWindows")->trigger();
        QCOMPARE(section("Folder"), std::string("[Folder]\r\nWidth= 4600\r\nHeight= 4000\r\n"
                                                "Left=-120\r\nTop= 0\r\n"));
        QCOMPARE(section("Media"), std::string("[Media]\r\nWidth= 6000\r\nHeight= 4500\r\n"
                                               "Left= 0\r\nTop= 4000\r\n"));
        // Restoring changes the windows, not the file; saved afterwards, the defaults exactly.
        const std::string saved = ReadFile(dir.path() / "Brackmoor.INI");
        s.window->findChild<QAction*>("mnuRestore1")->trigger();
        QCOMPARE(ReadFile(dir.path() / "Brackmoor.INI"), saved);
        QCOMPARE(s.window->folderBar()->pos(), QPoint(0, 0));
        s.window->findChild<QAction*>("mnuSaveWindows")->trigger();
        QCOMPARE(section("Media"), std::string("[Media]\r\nWidth= 4600\r\nHeight= 3950\r\n"
                                               "Left= 0\r\nTop= 4000\r\n"));
        QVERIFY(s.messages.shown.empty());
    }

    void pathsAsksForARestartUnlessCancelled() {
        TempDir dir;
        std::filesystem::create_directory(dir.path() / "Snaps");
        WriteFile(dir.path() / "Brackmoor.INI", GoodSettings(dir.path().string(), ""));
        const auto cancel = [](QDialog& dialog) {
            dialog.findChild<QPushButton*>("Command1")->click();
        };
        // Cancelled, then closed by its close box: it stays cancelled, nothing is asked.
        int opened = 0;
        Started cancelled(dir.withSeparator(), [&](QDialog& dialog) {
            if (opened++ == 0)
                cancel(dialog);
        });
        cancelled.window->findChild<QAction*>("mnuPaths")->trigger();
        cancelled.window->findChild<QAction*>("mnuPaths")->trigger();
        QVERIFY(cancelled.messages.shown.empty() && cancelled.window->isVisible());
        // Closed by its close box first: a restart is asked for and the program ends.
        Started closed(dir.withSeparator());
        closed.window->findChild<QAction*>("mnuPaths")->trigger();
        QCOMPARE(closed.texts(),
                 QStringList{"Please restart the 'Brackmoor' for changes to take place"});
        QVERIFY(!closed.window->isVisible());
    }

    void helpAndAboutOpenTheirWindows() {
        TempDir dir;
        std::filesystem::create_directory(dir.path() / "Snaps");
        WriteFile(dir.path() / "Brackmoor.INI", GoodSettings(dir.path().string(), ""));
        QStringList captions;
        Started s(dir.withSeparator(), [&](QDialog& dialog) { captions << dialog.windowTitle(); });
        for (const char* item : {"mnuMainhelp", "mnuAbout", "mnuMainhelp"})
            s.window->findChild<QAction*>(item)->trigger();
        QCOMPARE(captions, (QStringList{"Help", "About Brackmoor", "Help"}));
    }

    void exitEndsWithoutWriting() {
        TempDir dir;
        std::filesystem::create_directory(dir.path() / "Snaps");
        WriteFile(dir.path() / "Brackmoor.INI", GoodSettings(dir.path().string(), ""));
        Started s(dir.withSeparator());
        const std::string before = ReadFile(dir.path() / "Brackmoor.INI");
        s.window->folderBar()->move(30, 30);
        s.window->findChild<QAction*>("mnuExit")->trigger();
        QVERIFY(!s.window->isVisible());
        QCOMPARE(ReadFile(dir.path() / "Brackmoor.INI"), before);
    }
};

QTEST_MAIN(StartupWindowTest)
#include "startup_window_test.moc"
