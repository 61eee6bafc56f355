// Brackmoor on a collector's machine, driven as a user would: the real program (RunBrackmoor,
// offscreen) is started on a generated collection and, once its main window is shown, one
// operation is done on it with mouse events on its own controls, several times; the probe
// prints the times in microseconds and ends. Each operation runs in a process of its own so
// that the peak memory measured around it (bench/collector.sh) is that operation's. The
// references run here too where they are library calls, measured the same way.
//
//   bench_collector_probe click ROUNDS -- PROGRAM_ARGS    a click on a game in the file list
//   bench_collector_probe launch ROUNDS MARK -- ARGS      a double click to the emulator started
//   bench_collector_probe folder ROUNDS NAME -- ARGS      a click on folder NAME, folder bar
//   bench_collector_probe search ROUNDS PATTERN -- ARGS   the finder over the game folder
//   bench_collector_probe capture ROUNDS -- ARGS          "Save" at "Half 50%", 1920 x 1080
//   bench_collector_probe stat ROUNDS FILE                reference: stat() of FILE
//   bench_collector_probe standin ROUNDS MARK PROGRAM     reference: PROGRAM started directly
//   bench_collector_probe tjcompress ROUNDS               reference: tjCompress2, 1920 x 1080
//
// The file list shows the game folder's first subfolder at start, so the collection decides
// what each operation works on. The stand-in emulator writes the wall clock in nanoseconds
// (date +%s%N) to MARK when it starts. Output: "first=US median=US", and "found=N" from the
// finder, "files=N" from the folder; exit status 1 when the program did not do what was asked.

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/frm_mdi_main.h"
#include "app/program.h"
#include "browser/frm_files.h"
#include "browser/frm_find.h"
#include "browser/frm_folder_bar.h"
#include "launch/naming_rules.h"
#include "media/frm_media.h"
#include "media/screenshots.h"

extern char** environ;

namespace {

using namespace brackmoor;
using Clock = std::chrono::steady_clock;

double MicrosSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

long long WallNanos() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// "first=.. median=.." over the rounds; the first is cold (a file read for the first time).
void Report(std::vector<double> times) {
    const double first = times.front();
    std::sort(times.begin(), times.end());
    std::printf("first=%.1f median=%.1f\n", first, times[times.size() / 2]);
    std::fflush(stdout);
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "collector probe: %s\n", what);
    std::fflush(stderr);
    std::_Exit(1);
}

// Runs the event loop until `done`, for at most `seconds`.
bool WaitFor(const std::function<bool()>& done, int seconds = 60) {
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (Clock::now() > deadline) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

FrmMDIMain& Main() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* main = qobject_cast<FrmMDIMain*>(widget)) {
            return *main;
        }
    }
    Fail("no main window");
}

// The centre of row `row` of an item view, scrolled into view first (not timed).
QPoint RowCentre(QAbstractItemView* view, int row) {
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QCoreApplication::processEvents();
    return view->visualRect(index).center();
}

// The stand-in's clock once it has written MARK, or 0.
long long ReadMark(const std::string& mark, int seconds = 10) {
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    while (Clock::now() < deadline) {
        std::ifstream in(mark);
        long long nanos = 0;
        if (in >> nanos) {
            return nanos;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return 0;
}

// --- Operations on the running program ----------------------------------------------------

// Clicks games spread over the list (each with a record in the settings file); the media
// window must show each one with its saved-settings marker.
std::vector<double> ClickGames(int rounds) {
    FrmMDIMain& main = Main();
    QListView* view = main.files()->flbFiles();
    const int count = main.files()->count();
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        const int row = (round * 7919 + 11) % std::max(1, count / 2);
        const auto key = GameKey(main.files()->name(row));
        const QPoint at = RowCentre(view, row);
        const auto start = Clock::now();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        if (!WaitFor([&] { return main.media()->shownGame() == key; })) {
            Fail("the media window did not show the clicked game");
        }
        times.push_back(MicrosSince(start));
        if (!main.media()->savedMarkerShown()) {
            Fail("the clicked game's record was not read");
        }
    }
    return times;
}

// A double click on a game, from the event to the stand-in emulator's first moment.
std::vector<double> LaunchGames(int rounds, const std::string& mark) {
    FrmMDIMain& main = Main();
    QListView* view = main.files()->flbFiles();
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        std::remove(mark.c_str());
        const QPoint at = RowCentre(view, round);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        const long long start = WallNanos();
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        const long long started = ReadMark(mark);
        if (started == 0) {
            Fail("the stand-in emulator was not started");
        }
        times.push_back(static_cast<double>(started - start) / 1000.0);
    }
    return times;
}

// A click on another folder, then on `name`: the time of the second click to its files listed.
std::vector<double> ShowFolder(int rounds, const QString& name) {
    FrmMDIMain& main = Main();
    auto* folders = main.folderBar()->findChild<QListWidget*>("lstFolders");
    const QList<QListWidgetItem*> found = folders->findItems(name, Qt::MatchExactly);
    if (found.isEmpty() || folders->count() < 2) {
        Fail("the folder is not in the folder bar");
    }
    const int row = folders->row(found.front());
    const int other = row == 0 ? 1 : 0;
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, RowCentre(folders, other));
        const QPoint at = RowCentre(folders, row);
        const int before = main.files()->count();
        const auto start = Clock::now();
        QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, at);
        if (!WaitFor([&] { return main.files()->count() != before; })) {
            Fail("the folder's files were not listed");
        }
        times.push_back(MicrosSince(start));
    }
    std::printf("files=%d\n", main.files()->count());
    return times;
}

// The finder from File > "Find A Game": the pattern, subfolders on, "Find Now" clicked, until
// the search has ended with its results listed.
std::vector<double> Search(int rounds, const QString& pattern) {
    FrmMDIMain& main = Main();
    std::vector<double> times;
    int found = -1;
    main.setDialogRunner([&](QDialog& dialog) {
        auto* finder = qobject_cast<FrmFind*>(&dialog);
        if (finder == nullptr) {
            Fail("not the finder");
        }
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog)) {
            Fail("the finder was not shown");
        }
        dialog.findChild<QLineEdit*>("txtfindwild")->setText(pattern);
        dialog.findChild<QCheckBox*>("chkfindsub")->setChecked(true);
        auto* findNow = dialog.findChild<QPushButton*>("cmdfindnow");
        auto* results = dialog.findChild<QListWidget*>("lstfind");
        for (int round = 0; round < rounds; ++round) {
            QSignalSpy finished(finder, &FrmFind::searchFinished);
            const auto start = Clock::now();
            QTest::mouseClick(findNow, Qt::LeftButton);
            if (!WaitFor([&] { return finished.count() > 0; })) {
                Fail("the search did not end");
            }
            times.push_back(MicrosSince(start));
            found = results->count();
        }
        return 0;
    });
    main.findChild<QAction*>("mnuFind")->trigger();
    std::printf("found=%d\n", found);
    return times;
}

// A screen-like 1920 x 1080 picture: smooth gradients with sharp-edged blocks over them.
QImage ScreenPicture() {
    QImage picture(1920, 1080, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const bool block = ((x / 64) + (y / 48)) % 5 == 0;
            line[x] =
                block ? qRgb(240, 200, 40) : qRgb(x * 255 / 1920, y * 255 / 1080, (x ^ y) & 0xFF);
        }
    }
    return picture;
}

// The first game clicked, the clipboard holding a 1920 x 1080 picture, "Capture" with
// "Half 50%": the time of a click on "Save" to the screenshot written and shown.
std::vector<double> Capture(int rounds, const std::string& appPath) {
    FrmMDIMain& main = Main();
    QListView* view = main.files()->flbFiles();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowCentre(view, 0));
    const auto key = main.media()->shownGame();
    if (!key) {
        Fail("no game shown");
    }
    QGuiApplication::clipboard()->setImage(ScreenPicture());
    QTabBar* tabs = main.media()->tabMedia()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    auto* size = main.media()->findChild<QComboBox*>("cmbImageSize");
    size->setCurrentIndex(size->findText("Half 50%"));
    auto* save = main.media()->findChild<QPushButton*>("cmdSave");
    const std::string file = ScreenshotSavePath(appPath, *key).string();
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        std::remove(file.c_str());
        const auto start = Clock::now();
        QTest::mouseClick(save, Qt::LeftButton);
        times.push_back(MicrosSince(start));
        struct stat written {};
        if (::stat(file.c_str(), &written) != 0 || written.st_size == 0) {
            Fail("no screenshot written");
        }
    }
    return times;
}

// --- References -----------------------------------------------------------------------------

std::vector<double> StatFile(int rounds, const char* file) {
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        struct stat st {};
        const auto start = Clock::now();
        if (::stat(file, &st) != 0) {
            Fail("cannot stat the file");
        }
        times.push_back(MicrosSince(start));
    }
    return times;
}

std::vector<double> StartStandIn(int rounds, const std::string& mark, const char* program) {
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        std::remove(mark.c_str());
        char* const argv[] = {const_cast<char*>(program), nullptr};
        pid_t pid = 0;
        const long long start = WallNanos();
        if (::posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0) {
            Fail("cannot start the stand-in");
        }
        const long long started = ReadMark(mark);
        ::waitpid(pid, nullptr, 0);
        if (started == 0) {
            Fail("the stand-in did not write its mark");
        }
        times.push_back(static_cast<double>(started - start) / 1000.0);
    }
    return times;
}

// tjCompress2 alone on the capture's picture at full size, quality 80, as the capture's
// encoder is set up (4:2:0, bottom-up rows of 24-bit pixels); an encoder and a buffer made once.
std::vector<double> Compress(int rounds) {
    const QImage picture = ScreenPicture().convertToFormat(QImage::Format_BGR888);
    tjhandle encoder = tjInitCompress();
    unsigned long size = tjBufSize(picture.width(), picture.height(), TJSAMP_420);
    unsigned char* jpeg = tjAlloc(static_cast<int>(size));
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        if (tjCompress2(encoder, picture.constBits(), picture.width(),
                        static_cast<int>(picture.bytesPerLine()), picture.height(), TJPF_BGR, &jpeg,
                        &size, TJSAMP_420, 80, TJFLAG_BOTTOMUP | TJFLAG_NOREALLOC) != 0) {
            Fail(tjGetErrorStr2(encoder));
        }
        times.push_back(MicrosSince(start));
    }
    tjFree(jpeg);
    tjDestroy(encoder);
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s MODE ROUNDS [PARAMETER] [-- PROGRAM ARGUMENTS]\n", argv[0]);
        return 2;
    }
    const std::string mode = argv[1];
    const int rounds = std::max(1, std::atoi(argv[2]));
    const char* parameter = argc > 3 && std::strcmp(argv[3], "--") != 0 ? argv[3] : "";
    if (mode == "stat") {
        Report(StatFile(rounds, parameter));
        return 0;
    }
    if (mode == "standin") {
        Report(StartStandIn(rounds, parameter, argc > 4 ? argv[4] : ""));
        return 0;
    }
    if (mode == "tjcompress") {
        Report(Compress(rounds));
        return 0;
    }
    // The program sees its own name and what follows "--".
    std::vector<char*> programArgs = {argv[0]};
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            programArgs.insert(programArgs.end(), argv + i + 1, argv + argc);
            break;
        }
    }
    int programArgc = static_cast<int>(programArgs.size());
    programArgs.push_back(nullptr);
    QApplication app(programArgc, programArgs.data());
    std::vector<double> times;
    const int status = RunBrackmoor(app, [&] {
        if (mode == "click") {
            times = ClickGames(rounds);
        } else if (mode == "launch") {
            times = LaunchGames(rounds, parameter);
        } else if (mode == "folder") {
            times = ShowFolder(rounds, QString::fromLocal8Bit(parameter));
        } else if (mode == "search") {
            times = Search(rounds, QString::fromLocal8Bit(parameter));
        } else if (mode == "capture") {
            times = Capture(rounds, Main().settings().AppPath);
        } else {
            Fail("unknown mode");
        }
    });
    if (times.empty()) {
        return 1;
    }
    Report(times);
    return status;
}
