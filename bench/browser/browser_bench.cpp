// The file list on large folders and the cost of one click.
//
// Listing: FrmFiles::setPath on folders of 32,767 and 100,000 files, with the list laid out and
// painted (the events that follow are processed), beside what it cannot do without: reading
// the names and sorting them, both as plain readdir + std::sort and as ListFolder (readdir and
// the natural order). Goal: setPath within 1.5 times ListFolder.
//
// One click: the selection handling that a click on a game runs (screenshot lookup, capture
// name, record, cap, mode), with a "Game Settings.ini" of 50,000 sections, without and with a
// 640 x 512 JPEG screenshot; beside LoadGameSettings alone and decoding that JPEG alone. Goal:
// under 2 ms without a screenshot.
//
//   browser_bench [--benchmark_filter=...]

#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "browser/folder_listing.h"
#include "browser/frm_files.h"
#include "media/frm_media.h"
#include "media/game_settings.h"
#include "settings/launcher_settings.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using brackmoor::test::TempDir;
using brackmoor::test::WriteFile;

constexpr int kSections = 50000;
constexpr int kClickFiles = 1000;

// A folder of `count` empty files named as a collection names them, in mixed letter case.
class FolderOfFiles {
public:
    explicit FolderOfFiles(int count) {
        static const char* const titles[] = {"Lemmings", "zool", "Gloom Deluxe (AGA)",
                                             "SPEEDBALL 2", "Turrican"};
        for (int i = 0; i < count; ++i) {
            const std::string name = std::string(titles[i % 5]) + " " + std::to_string(i) +
                                     " (Disk " + std::to_string(i % 3 + 1) + " of 3).adf";
            const int fd = ::open((dir_.path() / name).c_str(), O_CREAT | O_WRONLY, 0644);
            ::close(fd);
        }
    }
    std::string path() const { return dir_.path().string(); }

private:
    TempDir dir_;
};

FolderOfFiles& Folder(int count) {
    static std::map<int, std::unique_ptr<FolderOfFiles>> folders;
    auto& folder = folders[count];
    if (!folder) {
        folder = std::make_unique<FolderOfFiles>(count);
    }
    return *folder;
}

void BM_ReaddirAndSort(benchmark::State& state) {
    const std::string folder = Folder(static_cast<int>(state.range(0))).path();
    for (auto _ : state) {
        std::vector<std::string> names;
        DIR* dir = ::opendir(folder.c_str());
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] != '.') {
                names.emplace_back(entry->d_name);
            }
        }
        ::closedir(dir);
        std::sort(names.begin(), names.end());
        benchmark::DoNotOptimize(names.data());
    }
}
BENCHMARK(BM_ReaddirAndSort)->Arg(32767)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ListFolder(benchmark::State& state) {
    const std::string folder = Folder(static_cast<int>(state.range(0))).path();
    for (auto _ : state) {
        brackmoor::FolderContents contents;
        benchmark::DoNotOptimize(brackmoor::ListFolder(folder, &contents));
    }
}
BENCHMARK(BM_ListFolder)->Arg(32767)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_FrmFilesSetPath(benchmark::State& state) {
    const std::string folder = Folder(static_cast<int>(state.range(0))).path();
    brackmoor::FrmFiles files;
    files.resize(500, 530);
    files.show();
    QApplication::processEvents();
    for (auto _ : state) {
        if (!files.setPath(folder)) {
            state.SkipWithError("the folder cannot be listed");
            return;
        }
        QApplication::processEvents();  // the list lays itself out and paints
    }
    // Every file is listed, and the last one, far beyond a 16-bit position, can be selected.
    const int last = static_cast<int>(state.range(0)) - 1;
    files.setSelected(last, true);
    if (files.count() != last + 1 || files.focusedIndex() != last || !files.isSelected(last)) {
        state.SkipWithError("the list does not hold or select every file");
    }
}
BENCHMARK(BM_FrmFilesSetPath)->Arg(32767)->Arg(100000)->Unit(benchmark::kMillisecond);

// An application folder with a large "Game Settings.ini" and a folder of games that have
// records; with `screenshots`, each game has a 640 x 512 JPEG in "Snaps".
class ClickFixture {
public:
    explicit ClickFixture(bool screenshots) {
        settings_.AppPath = app_.withSeparator();
        settings_.SnapsPath = settings_.AppPath;
        std::string records;
        records.reserve(static_cast<std::size_t>(kSections) * 90);
        for (int i = 0; i < kSections; ++i) {
            records += "[GAME " + std::to_string(i) + "]\r\nCF=" + std::to_string(i % 2) +
                       "\r\nAL=1\r\nWB=0\r\nDU=0\r\nNotes=Swap disks at level " +
                       std::to_string(i) + "\r\n";
        }
        WriteFile(app_.path() / "Game Settings.ini", records);
        const fs::path games = app_.path() / "games";
        const fs::path snaps = app_.path() / "Snaps";
        fs::create_directories(games);
        fs::create_directories(snaps);
        for (int i = 0; i < kClickFiles; ++i) {
            WriteFile(games / ("Game " + std::to_string(i) + ".adf"), "");
        }
        if (screenshots) {
            jpeg_ = Screenshot();
            for (int i = 0; i < kClickFiles; ++i) {
                WriteFile(snaps / ("GAME " + std::to_string(i) + ".jpg"), jpeg_);
            }
        }
        // A "Snaps" folder that has not changed for a while, as it is between captures.
        timespec old[2] = {{::time(nullptr) - 60, 0}, {::time(nullptr) - 60, 0}};
        ::utimensat(AT_FDCWD, snaps.c_str(), old, 0);

        media_.cmbConfigToUse()->addItems({"A500.uae", "A1200.uae"});
        media_.cmbWBUse()->addItem("NONE");
        media_.attach(&settings_, nullptr);
        // As the main window routes it.
        QObject::connect(&files_, &brackmoor::FrmFiles::selectionHandled, &media_,
                         [this](const brackmoor::FileListState& state) {
                             media_.showGame(state.gameKey);
                             media_.setMultiSelectMode(state.selectedCount > 1);
                         });
        if (!files_.setPath(games.string())) {
            std::abort();  // the fixture's own folder
        }
        files_.resize(500, 530);
        media_.show();
        files_.show();
        QApplication::processEvents();
    }

    // A click on row `row`, as the list view makes it: the item becomes the current one and
    // the only one selected; the selection handling runs before this returns.
    void click(int row) {
        QListView* view = files_.flbFiles();
        view->selectionModel()->setCurrentIndex(view->model()->index(row, 0),
                                                QItemSelectionModel::ClearAndSelect);
    }
    const std::string& appPath() const { return settings_.AppPath; }
    const std::string& jpeg() const { return jpeg_; }
    bool showsRecord() const { return media_.savedMarkerShown(); }

private:
    // A picture with detail all over, as a game's screen has, so the JPEG is of a usual size.
    static std::string Screenshot() {
        QImage picture(640, 512, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                line[x] = qRgb((x * 7 + y * 3) & 0xff, (x ^ y) & 0xff, (x * y / 64) & 0xff);
            }
        }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "JPG", 90);
        return bytes.toStdString();
    }

    TempDir app_;
    brackmoor::LauncherSettings settings_;
    brackmoor::FrmMedia media_;
    brackmoor::FrmFiles files_;
    std::string jpeg_;
};

void ClickInTurn(benchmark::State& state, ClickFixture& fixture) {
    int row = 0;
    for (auto _ : state) {
        row = (row + 389) % kClickFiles;  // a different game each time
        fixture.click(row);
    }
    if (!fixture.showsRecord()) {
        state.SkipWithError("the game's record was not shown");
    }
}

void BM_ClickWithoutScreenshot(benchmark::State& state) {
    ClickFixture fixture(false);
    ClickInTurn(state, fixture);
}
BENCHMARK(BM_ClickWithoutScreenshot)->Unit(benchmark::kMicrosecond);

void BM_ClickWithJpegScreenshot(benchmark::State& state) {
    ClickFixture fixture(true);
    ClickInTurn(state, fixture);
    state.counters["jpeg_bytes"] = static_cast<double>(fixture.jpeg().size());
}
BENCHMARK(BM_ClickWithJpegScreenshot)->Unit(benchmark::kMicrosecond);

void BM_LoadGameSettingsReference(benchmark::State& state) {
    ClickFixture fixture(false);
    int row = 0;
    for (auto _ : state) {
        row = (row + 389) % kClickFiles;
        benchmark::DoNotOptimize(
            brackmoor::LoadGameSettings(fixture.appPath(), "GAME " + std::to_string(row), 2));
    }
}
BENCHMARK(BM_LoadGameSettingsReference)->Unit(benchmark::kMicrosecond);

void BM_DecodeJpegReference(benchmark::State& state) {
    ClickFixture fixture(true);
    const std::string& jpeg = fixture.jpeg();
    for (auto _ : state) {
        const QImage picture = QImage::fromData(reinterpret_cast<const uchar*>(jpeg.data()),
                                                static_cast<int>(jpeg.size()));
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_DecodeJpegReference)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
