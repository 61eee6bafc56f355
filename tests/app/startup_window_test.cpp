// Start-up through the real main window, offscreen: what the user is told and what the windows
// show afterwards. Which faults of a settings file are reported is tested with the load, what the
// options dialog shows on a first start with the dialog.

#include <QDialog>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "app/frm_mdi_main.h"
#include "browser/frm_files.h"
#include "browser/frm_folder_bar.h"
#include "media/frm_media.h"
#include "qt_test_support.h"
#include "settings/startup.h"

using namespace brackmoor;
using test::Items;

namespace {

QString Text(const Message& message) {
    return QString::fromStdString(message.text);
}

// A folder with "Snaps" and a good settings file whose games folder is the folder itself;
// `files` is the "Files" section, `edit` changes the text before it is written.
struct Folder {
    TempDir dir;
    std::filesystem::path ini = dir.path() / "Brackmoor.INI";
    explicit Folder(
        const std::string& files = "",
        const std::function<void(std::string&)>& edit = [](std::string&) {}) {
        std::filesystem::create_directory(dir.path() / "Snaps");
        test::SettingsFile settings(dir.path().string());
        settings.extra = "[Folder]\r\nWidth=4600\r\nHeight=4000\r\nLeft=0\r\nTop=0\r\n" + files +
                         "[Media]\r\nWidth=4600\r\nHeight=3950\r\nLeft=0\r\nTop=4000\r\n";
        std::string text = settings.text();
        edit(text);
        WriteFile(ini, text);
    }
};

// The main window loaded from `appPath`; every dialog it runs is handed to `answer`.
struct Started {
    test::RecordingMessages messages;
    std::unique_ptr<FrmMDIMain> window;
    int dialogsRun = 0;

    explicit Started(
        const std::string& appPath, std::function<void(QDialog&)> answer = [](QDialog&) {}) {
        LauncherSettings settings;
        settings.AppPath = appPath;
        settings.SnapsPath = settings.AppPath;
        window = std::make_unique<FrmMDIMain>(settings, messages);
        window->setDialogRunner([this, answer](QDialog& dialog) {
            ++dialogsRun;
            answer(dialog);
            return 0;
        });
        window->load();
        window->show();
    }
    QStringList texts() const { return test::Texts(messages); }
    void trigger(const char* action) { window->findChild<QAction*>(action)->trigger(); }
};

}  // namespace

class StartupWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartInAnEmptyFolder() {
        TempDir dir;
        Started s(dir.withSeparator());
        QCOMPARE(s.dialogsRun, 1);
        // The default start folder names a Windows drive, which does not exist here: the load
        // says so, and so does the folder bar when it tries to show it.
        const QString wrong = Text(PathsWrongMessage());
        QCOMPARE(s.texts(), (QStringList{Text(SnapsMissingMessage()),
                                         Text(DefaultSettingsMessage()), wrong, wrong}));
        QCOMPARE(s.messages.shown[0].icon, MessageIcon::Critical);
        QCOMPARE(Items(s.window->media()->cmbConfigToUse()), QStringList{"1200.uae"});
        QCOMPARE(s.window->media()->cmbConfigToUse()->currentIndex(), 0);
        QCOMPARE(Items(s.window->media()->cmbWBUse()), QStringList{"NONE"});
    }

    // A good file: a quiet start at the saved places, the arrangement saved exactly and
    // restored without writing, help and about, and an exit that writes nothing.
    void aGoodFileStartsQuietlyAtTheSavedPlaces() {
        Folder f("[Files]\r\nHeight=7950\r\nLeft=4600\r\nTop=0\r\n");
        QStringList captions;
        Started s(f.dir.withSeparator(),
                  [&](QDialog& dialog) { captions << dialog.windowTitle(); });
        QCOMPARE(s.dialogsRun, 0);
        QVERIFY(s.texts().isEmpty());
        QCOMPARE(s.window->folderBar()->geometry(), QRect(0, 0, 307, 267));  // 15 twips a pixel
        // No Width: 0, raised to the smallest frame the window system draws.
        QCOMPARE(s.window->files()->geometry().topLeft(), QPoint(307, 0));
        QCOMPARE(s.window->files()->width(), s.window->files()->minimumSizeHint().width());
        QCOMPARE(s.window->folderBar()->dlbFoldersPath(), f.dir.path().string());

        const auto section = [&](const char* name) {
            const std::string text = ReadFile(f.ini);
            const std::size_t at = text.find(std::string("[") + name + "]");
            return text.substr(at, text.find('[', at + 1) - at);
        };
        // The saved arrangement is the default one: written back as it was, a blank before each.
        s.trigger("mnuSaveWindows");
        QCOMPARE(section("Folder"),
                 std::string("[Folder]\r\nWidth= 4600\r\nHeight= 4000\r\nLeft= 0\r\nTop= 0\r\n"));
        // Dragged past the left edge, enlarged: the new values, a negative one without a blank.
        s.window->folderBar()->move(-8, 0);
        s.window->media()->resize(400, 300);
        s.trigger("mnuSaveWindows");
        QCOMPARE(section("Folder"),
                 std::string("[Folder]\r\nWidth= 4600\r\nHeight= 4000\r\nLeft=-120\r\nTop= 0\r\n"));
        QCOMPARE(section("Media"),
                 std::string("[Media]\r\nWidth= 6000\r\nHeight= 4500\r\nLeft= 0\r\nTop= 4000\r\n"));
        // Restoring changes the windows, not the file; saved afterwards, the defaults exactly.
        const std::string saved = ReadFile(f.ini);
        s.trigger("mnuRestore1");
        QCOMPARE(ReadFile(f.ini), saved);
        s.trigger("mnuSaveWindows");
        QCOMPARE(section("Media"),
                 std::string("[Media]\r\nWidth= 4600\r\nHeight= 3950\r\nLeft= 0\r\nTop= 4000\r\n"));

        for (const char* item : {"mnuMainhelp", "mnuAbout", "mnuMainhelp"})
            s.trigger(item);
        QCOMPARE(captions, (QStringList{"Help", "About Brackmoor", "Help"}));
        QVERIFY(s.texts().isEmpty());

        const std::string before = ReadFile(f.ini);
        s.window->folderBar()->move(30, 30);
        s.trigger("mnuExit");
        QVERIFY(!s.window->isVisible());
        QCOMPARE(ReadFile(f.ini), before);
    }

    void aRemovedConfigurationKeyRevertsToTheRoot() {
        Folder f("", [](std::string& t) { t.replace(t.find("2=\r\n", t.find("[Config")), 4, ""); });
        Started s(f.dir.withSeparator());
        QCOMPARE(s.texts(), QStringList{Text(MissingMediaMessage())});
        QCOMPARE(Items(s.window->media()->cmbConfigToUse()), QStringList{"A500.uae"});
        QCOMPARE(s.window->media()->cmbWBUse()->count(), 0);
        QCOMPARE(s.window->folderBar()->dlbFoldersPath(), std::string("/"));
        QCOMPARE(s.window->files()->path(), std::string("/"));
    }

    void anUnwritableApplicationFolderIsReportedAndStartUpGoesOn() {
        Started s("/proc/self/");
        const QStringList texts = s.texts();
        QVERIFY(texts.size() >= 3);
        QVERIFY(texts[1].startsWith("Cannot write the 'Snaps' folder"));
        QCOMPARE(texts.filter("Cannot write the settings file").size(), 1);
        QVERIFY(s.window->isVisible());
    }

    // Paths asks for a restart and ends the program unless the dialog was cancelled; its close
    // box keeps the last choice.
    void pathsAsksForARestartUnlessCancelled() {
        const struct {
            std::vector<const char*> answers;  // a button to click, or "" for the close box
            bool restart;
        } cases[] = {
            {{"cmdSave"}, true}, {{"Command1"}, false}, {{"Command1", ""}, false}, {{""}, true}};
        for (const auto& c : cases) {
            Folder f;
            std::size_t run = 0;
            Started s(f.dir.withSeparator(), [&](QDialog& dialog) {
                if (*c.answers[run] == '\0')
                    dialog.close();
                else
                    test::Click(&dialog, c.answers[run]);
                ++run;
            });
            for (std::size_t i = 0; i < c.answers.size(); ++i)
                s.trigger("mnuPaths");
            QCOMPARE(s.texts(), c.restart ? QStringList{"Please restart the 'Brackmoor' for "
                                                        "changes to take place"}
                                          : QStringList{});
            QCOMPARE(s.window->isVisible(), !c.restart);
        }
    }

    // On a full disk (the fault campaign fills a small file system for TMPDIR) each window's save
    // says so and changes no file: "Save Window Positions", and in the media window "Remember
    // This Game's Settings" and the note's "Save".
    void onAFullDiskEverySaveSaysWhyAndChangesNothing() {
        if (qEnvironmentVariableIsEmpty("BRACKMOOR_FILL_DISK"))
            QSKIP("the fault campaign fills a small file system for this");
        Folder f;
        const auto records = f.dir.path() / "GAME SETTINGS.INI";  // named as it is spelled
        WriteFile(records, "[ZOOL]\r\nNotes=old\r\n");
        WriteFile(f.dir.path() / "Zool.adf", "");
        Started s(f.dir.withSeparator());
        s.window->showFoundGame((f.dir.path() / "Zool.adf").string());  // as the finder does
        QCOMPARE(s.window->media()->shownGame(), std::optional<std::string>("ZOOL"));
        const std::string ini = ReadFile(f.ini);
        const std::string record = ReadFile(records);
        const std::vector<std::string> entries = test::FolderNames(f.dir.path());
        const auto filler = test::FillFileSystem(f.dir.path());

        s.window->folderBar()->move(-8, 0);
        s.trigger("mnuSaveWindows");
        test::ShowTab(s.window->media()->tabMedia(), 2);
        test::Click(s.window.get(), "cmdSaveSettings");
        test::ShowTab(s.window->media()->tabMedia(), 3);
        QTest::keyClicks(s.window->findChild<QPlainTextEdit*>("txtNotes"), " and new");
        test::Click(s.window.get(), "cmdsavenotes");

        const QStringList texts = s.texts();
        QCOMPARE(texts.size(), 3);
        for (const QString& text : texts)
            QVERIFY2(text.contains(" is full"), qPrintable(text));
        QVERIFY(texts[0].contains(QString::fromStdString(f.ini.string())));
        QVERIFY(texts[2].contains(QString::fromStdString(records.string())));
        QVERIFY(!s.window->media()->savedMarkerShown());
        QCOMPARE(ReadFile(f.ini), ini);
        QCOMPARE(ReadFile(records), record);
        std::filesystem::remove(filler);
        QCOMPARE(test::FolderNames(f.dir.path()), entries);
    }
};

QTEST_MAIN(StartupWindowTest)
#include "startup_window_test.moc"
