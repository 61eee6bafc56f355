// The real program, offscreen, on what a collector's machine can hold: settings files that are
// damaged, huge or no files at all, a collection of games with names that try to break INI
// lines, command lines and shells, clipboards and "Snaps" folders a capture cannot use, and a
// tree the finder must not get lost in. Nothing may crash, hang or reach a shell, no file may
// be damaged, and every refusal comes with a message.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <filesystem>

#include "app/frm_mdi_main.h"
#include "browser/frm_files.h"
#include "media/frm_media.h"
#include "platform/ini_document.h"
#include "platform/process_starter.h"
#include "test_support.h"

using namespace brackmoor;
namespace fs = std::filesystem;

namespace {

std::unique_ptr<FrmMDIMain> Start(const test::TempDir& dir, test::RecordingMessages& messages) {
    LauncherSettings settings;
    settings.AppPath = dir.withSeparator();
    settings.SnapsPath = settings.AppPath;
    auto window = std::make_unique<FrmMDIMain>(settings, messages);
    window->setDialogRunner([](QDialog&) { return 0; });
    window->load();
    window->show();
    return window;
}

// A folder of games and the settings that show it first.
fs::path MakeCollection(const test::TempDir& dir, const std::vector<std::string>& games) {
    const fs::path folder = dir.path() / "games";
    fs::create_directories(folder);
    for (const std::string& game : games)
        test::WriteFile(folder / game, "disk");
    test::WriteFile(dir.path() / "Brackmoor.INI", test::SettingsFile(folder.string()).text());
    return folder;
}

QByteArray Png(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

// What a folder entry is and holds, to see that nothing was replaced or damaged.
std::string Fingerprint(const fs::path& entry) {
    struct stat st {};
    if (::lstat(entry.c_str(), &st) != 0)
        return "none";
    return std::to_string(st.st_mode) + ":" + std::to_string(st.st_ino) + ":" +
           (S_ISREG(st.st_mode) ? test::ReadFile(entry) : "");
}

}  // namespace

class HostileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void damagedSettingsFilesStartWithAMessageAndStayAsTheyAre() {
        const std::string good = test::SettingsFile("/").text();
        const std::vector<std::pair<const char*, std::function<void(const fs::path&)>>> cases = {
            {"garbage", [](const fs::path& f) { test::WriteFile(f, "\x01\xff[[[=\n]]\r=="); }},
            {"binary", [](const fs::path& f) { test::WriteFile(f, std::string(4096, '\0')); }},
            {"BOM", [&](const fs::path& f) { test::WriteFile(f, "\xEF\xBB\xBF" + good); }},
            {"CR only",
             [&](const fs::path& f) {
                 std::string text = good;
                 for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
                     text.erase(at + 1, 1);
                 test::WriteFile(f, text);
             }},
            {"10 MB",
             [&](const fs::path& f) { test::WriteFile(f, good + std::string(10 << 20, ';')); }},
            {"8 GB sparse",
             [](const fs::path& f) {
                 test::WriteFile(f, "");
                 QVERIFY(::truncate(f.c_str(), 8LL << 30) == 0);
             }},
            {"FIFO", [](const fs::path& f) { QVERIFY(::mkfifo(f.c_str(), 0600) == 0); }},
            {"dangling link", [](const fs::path& f) { fs::create_symlink("nowhere.ini", f); }},
            {"link loop", [](const fs::path& f) { fs::create_symlink(f.filename(), f); }},
        };
        for (const auto& [name, make] : cases) {
            test::TempDir dir;
            fs::create_directory(dir.path() / "Snaps");
            const fs::path file = dir.path() / "Brackmoor.INI";
            make(file);
            struct stat before {};
            ::lstat(file.c_str(), &before);
            test::RecordingMessages messages;
            const auto window = Start(dir, messages);
            QVERIFY2(window->isVisible(), name);
            struct stat after {};
            ::lstat(file.c_str(), &after);
            QVERIFY2(before.st_size == after.st_size && before.st_mode == after.st_mode, name);
            const bool readable = std::string(name) == "BOM" || std::string(name) == "CR only" ||
                                  std::string(name) == "10 MB";
            QVERIFY2(readable || !messages.shown.empty(), name);
        }
    }

    void aHostileCollectionIsClickedRememberedAndLaunchedSafely() {
        test::TempDir dir;
        const fs::path games = dir.path() / "games" / "Set";
        fs::create_directories(games);
        fs::create_directory(dir.path() / "Snaps");
        const std::vector<std::string> names = {"x]y.adf",
                                                "k=v.adf",
                                                "semi;colon.adf",
                                                "100%.adf",
                                                "\"quoted\".adf",
                                                "$(touch PWNED).adf",
                                                "`touch PWNED`.adf",
                                                "back\\slash.adf",
                                                "[Sect].adf",
                                                "Line\nBreak.adf",
                                                "\xff\xfe\x80 Latin.adf",
                                                std::string(251, 'L') + ".adf",
                                                "a",
                                                "ab",
                                                "a.b",
                                                "abcd"};
        for (const std::string& name : names)
            test::WriteFile(games / name, "disk");
        fs::create_directory_symlink("..", games / "loop");
        const fs::path config = dir.path() / "A500.uae";
        test::WriteFile(config, "use_gui=no\r\n");
        const fs::path record = dir.path() / "arguments";
        const fs::path emulator = dir.path() / "emulator";
        test::WriteFile(emulator,
                        "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + record.string() + "'\n");
        fs::permissions(emulator, fs::perms::owner_all);
        test::WriteFile(dir.path() / "Brackmoor.INI",
                        test::SettingsFile((dir.path() / "games").string(), emulator.string(),
                                           "-config=", {config.string()})
                            .text());
        test::RecordingMessages messages;
        const auto window = Start(dir, messages);
        QListView* list = window->files()->flbFiles();
        QCOMPARE(window->files()->count(), static_cast<int>(names.size()));
        auto* remember = window->findChild<QPushButton*>("cmdSaveSettings");
        int launches = 0;
        for (int row = 0; row < window->files()->count(); ++row) {
            const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            window->media()->tabMedia()->setCurrentIndex(2);
            QTest::mouseClick(remember, Qt::LeftButton);
            const std::size_t shown = messages.shown.size();
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            // Started, or refused with a message.
            launches += messages.shown.size() == shown ? 1 : 0;
        }
        const auto recorded = [&] {
            const std::string text = test::ReadFile(record);
            return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        };
        QVERIFY(launches > 0);
        QTRY_COMPARE(recorded(), launches);
        QVERIFY(!fs::exists(dir.path() / "PWNED") && !fs::exists(games / "PWNED"));
        // Every launch handed the configuration over whole; every record reads back.
        const std::string arguments = test::ReadFile(record);
        QCOMPARE(arguments.find("-config=" + config.string() + "\n"), std::size_t(0));
        const IniDocument records(test::ReadFile(dir.path() / "Game Settings.ini"));
        QCOMPARE(records.find("X]Y", "CF").value_or("missing"), std::string("0"));
        QCOMPARE(records.find("$(TOUCH PWNED)", "CF").value_or("missing"), std::string("0"));
        QVERIFY(test::ReadFile(config).rfind("use_gui=no\r\n", 0) == 0);
    }

    void hostileClipboardsAndSnapsAreRefusedWithAMessage() {
        const QByteArray good = Png(QImage(64, 48, QImage::Format_RGB32));
        QImage huge(20000, 20000, QImage::Format_Mono);  // 50 MB here, 1.6 GB as a screenshot
        huge.fill(0);
        QImage wide(140000, 4, QImage::Format_Mono);  // halved, still wider than a JPEG can be
        wide.fill(0);
        // What the clipboard holds, what is done to "Snaps", what the message must say.
        const std::vector<
            std::tuple<const char*, QByteArray, std::function<void(const fs::path&)>, const char*>>
            cases = {
                {"a whole picture is saved", good, nullptr, nullptr},
                {"truncated", good.left(good.size() / 2), nullptr, "cut short"},
                {"20000 x 20000", Png(huge), nullptr, "20000 x 20000 pixels"},
                {"140000 x 4", Png(wide), nullptr, "65500"},
                {"Snaps is a file", good,
                 [](const fs::path& snaps) {
                     fs::remove(snaps);
                     test::WriteFile(snaps, "not a folder");
                 },
                 "Snaps/GAME.jpg\": Not a directory"},
                {"the screenshot is a FIFO", good,
                 [](const fs::path& snaps) {
                     QVERIFY(::mkfifo((snaps / "GAME.jpg").c_str(), 0644) == 0);
                 },
                 "named pipe"},
            };
        for (const auto& [name, bytes, make, says] : cases) {
            test::TempDir dir;
            MakeCollection(dir, {"Game.adf"});
            const fs::path snaps = dir.path() / "Snaps";
            fs::create_directory(snaps);
            if (make)
                make(snaps);
            const std::string before = Fingerprint(snaps) + Fingerprint(snaps / "GAME.jpg");
            test::RecordingMessages messages;
            const auto window = Start(dir, messages);
            auto* data = new QMimeData;
            data->setData("image/png", bytes);
            QGuiApplication::clipboard()->setMimeData(data);
            QListView* list = window->files()->flbFiles();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(list->model()->index(0, 0)).center());
            window->media()->tabMedia()->setCurrentIndex(1);
            const std::size_t shown = messages.shown.size();
            QTest::mouseClick(window->findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
            if (says == nullptr) {
                QVERIFY2(messages.shown.size() == shown, name);
                QCOMPARE(QImage(QString::fromStdString((snaps / "GAME.jpg").string())).size(),
                         QSize(32, 24));
                continue;
            }
            QVERIFY2(messages.shown.size() == shown + 1, name);
            QVERIFY2(messages.shown.back().text.find(says) != std::string::npos,
                     messages.shown.back().text.c_str());
            QVERIFY2(Fingerprint(snaps) + Fingerprint(snaps / "GAME.jpg") == before, name);
        }
    }

    void theFinderEndsOverAHostileTree() {
        test::TempDir dir;
        const fs::path games = MakeCollection(dir, {"Top.adf"});
        fs::create_directories(games / "Loop");
        test::WriteFile(games / "Loop" / "x.adf", "disk");
        fs::create_directory_symlink("..", games / "Loop" / "back");
        fs::create_directories(games / "Locked");
        test::WriteFile(games / "Locked" / "hidden.adf", "disk");
        // 4,000 levels, made one level at a time: the whole path is far beyond PATH_MAX.
        std::string deep = (games / "Deep").string();
        fs::create_directory(deep);
        int fd = ::open(deep.c_str(), O_RDONLY | O_DIRECTORY);
        for (int level = 0; level < 4000; ++level, deep += "/d") {
            QVERIFY(::mkdirat(fd, "d", 0755) == 0);
            const int next = ::openat(fd, "d", O_RDONLY | O_DIRECTORY);
            ::close(fd);
            QVERIFY((fd = next) >= 0);
        }
        ::close(::openat(fd, "deep.adf", O_CREAT | O_WRONLY, 0644));
        ::close(fd);
        ::chmod((games / "Locked").c_str(), 0);
        test::RecordingMessages messages;
        const auto window = Start(dir, messages);
        QStringList found[2];
        const auto search = [&](QDialog& finder) {
            finder.show();
            auto* pattern = finder.findChild<QLineEdit*>("txtfindwild");
            auto* stop = finder.findChild<QPushButton*>("cmdStop");
            pattern->selectAll();
            QTest::keyClicks(pattern, "*.ADF");
            for (QStringList& rows : found) {
                if (&rows == &found[0])
                    QTest::keyClick(pattern, Qt::Key_Return);
                else
                    QTest::mouseClick(finder.findChild<QPushButton*>("cmdfindnow"), Qt::LeftButton);
                QTRY_VERIFY_WITH_TIMEOUT(!stop->isEnabled(), 60000);
                const auto* results = finder.findChild<QListWidget*>("lstfind");
                for (int row = 0; row < results->count(); ++row)
                    rows << results->item(row)->text();
            }
        };
        window->setDialogRunner([&](QDialog& finder) { return search(finder), 0; });
        const std::size_t shown = messages.shown.size();
        window->findChild<QAction*>("mnuFind")->trigger();
        ::chmod((games / "Locked").c_str(), 0755);
        QStringList expected = {QString::fromStdString((games / "Top.adf").string()),
                                QString::fromStdString(deep + "/deep.adf"),
                                QString::fromStdString((games / "Loop" / "x.adf").string())};
        if (::geteuid() == 0)  // permissions do not stop root
            expected.insert(2, QString::fromStdString((games / "Locked" / "hidden.adf").string()));
        QCOMPARE(found[0], expected);
        QCOMPARE(found[1], expected);
        QCOMPARE(messages.shown.size(), shown);
        // std::filesystem's removal cannot go this deep.
        QCOMPARE(std::system(("rm -rf '" + (games / "Deep").string() + "'").c_str()), 0);
    }
};

QTEST_MAIN(HostileTest)
#include "hostile_test.moc"
