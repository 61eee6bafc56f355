// Every selection in the file list loads the game's record, so LoadGameSettings must stay cheap
// on a large collection's settings file that has not changed since the last read: the goal is
// under 100 us per call on a file of 50,000 sections. The references, measured in the same run:
// one stat() of the file (what seeing that it is unchanged costs at least) and one
// ReadProfileString of the profile module. The cold case shows what the parse cache saves.
//
//   media_game_settings_bench [--benchmark_filter=...]

#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <memory>
#include <string>

#include "media/game_settings.h"
#include "platform/profile_file.h"
#include "test_support.h"

namespace {

constexpr int kSections = 50000;

struct Fixture {
    brackmoor::test::TempDir dir;
    std::string app;
    std::filesystem::path file;

    Fixture() : app(dir.withSeparator()), file(dir.path() / "Game Settings.ini") {
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(kSections) * 90);
        for (int i = 0; i < kSections; ++i) {
            bytes += "[GAME " + std::to_string(i) + "]\r\nCF=" + std::to_string(i % 7) +
                     "\r\nAL=1\r\nWB=" + std::to_string(i % 3) +
                     "\r\nDU=0\r\nNotes=Remember to swap disks at level " + std::to_string(i) +
                     "\r\n";
        }
        brackmoor::test::WriteFile(file, bytes);
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_StatReference(benchmark::State& state) {
    const Fixture& f = Shared();
    struct stat st {};
    for (auto _ : state) {
        benchmark::DoNotOptimize(::stat(f.file.c_str(), &st));
    }
}
BENCHMARK(BM_StatReference);

void BM_ReadProfileStringReference(benchmark::State& state) {
    const Fixture& f = Shared();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            brackmoor::ReadProfileString(f.file, "GAME 49999", "CF", "ERR", 500));
    }
}
BENCHMARK(BM_ReadProfileStringReference);

void BM_LoadGameSettingsUnchanged(benchmark::State& state) {
    const Fixture& f = Shared();
    const std::string key = "GAME " + std::to_string(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(brackmoor::LoadGameSettings(f.app, key, 7));
    }
}
// The first section, the last one and a game that has none.
BENCHMARK(BM_LoadGameSettingsUnchanged)->Arg(0)->Arg(kSections - 1)->Arg(kSections + 1);

void BM_ReadGameValueUnchanged(benchmark::State& state) {
    const Fixture& f = Shared();
    for (auto _ : state) {
        benchmark::DoNotOptimize(brackmoor::ReadGameValue(f.app, "GAME 49999", "Notes", ""));
    }
}
BENCHMARK(BM_ReadGameValueUnchanged);

void BM_LoadGameSettingsCold(benchmark::State& state) {
    const Fixture& f = Shared();
    for (auto _ : state) {
        brackmoor::ClearProfileCache();
        benchmark::DoNotOptimize(brackmoor::LoadGameSettings(f.app, "GAME 49999", 7));
    }
}
BENCHMARK(BM_LoadGameSettingsCold)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
