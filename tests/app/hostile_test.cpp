// The real program, offscreen, on what a collector's machine can hold: settings files that are
// damaged, huge or no files at all, and a collection of games with names that try to break
// INI lines, command lines and shells. Nothing may crash, hang or reach a shell, no file may be
// damaged, and every refusal comes with a message.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QListView>
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
};

QTEST_MAIN(HostileTest)
#include "hostile_test.moc"
