// The configuration rewrite of a launch on a 30 KB emulator configuration: one read and one
// atomic replacement, beside the same writes made as nine separate profile writes (nine reads
// and nine replacements), measured in the same run.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "launch/config_rewrite.h"
#include "platform/profile_file.h"
#include "test_support.h"

namespace {

using namespace brackmoor;

const EmulatorKeyNames kKeys = {"nr_floppies",
                                {"floppy0", "floppy1", "floppy2", "floppy3"},
                                {"floppy0type", "floppy1type", "floppy2type", "floppy3type"}};

// About 30 KB of emulator settings, CRLF, with the launcher's section from an earlier launch.
std::string Configuration() {
    std::string text;
    for (int i = 0; text.size() < 30 * 1024; ++i) {
        text += "emulator_setting_" + std::to_string(i) + "=value of setting " + std::to_string(i) +
                " for the emulated machine\r\n";
    }
    text +=
        "[Brackmoor]\r\nnr_floppies=4\r\nfloppy0type=0\r\nfloppy1type=0\r\nfloppy2type=0\r\n"
        "floppy3type=0\r\nfloppy0=/games/Old.adf\r\nfloppy1=\r\nfloppy2=\r\nfloppy3=\r\n";
    return text;
}

// Two games launched in turn, so that every rewrite changes the file.
const DriveSlots kGames[2] = {
    {"/home/user/Amiga/Lemmings A.adf", "/home/user/Amiga/Lemmings B.adf", "", ""},
    {"/home/user/Amiga/Gloom (Disk 1 of 3).adf", "/home/user/Amiga/Gloom (Disk 2 of 3).adf",
     "/home/user/Amiga/Gloom (Disk 3 of 3).adf", ""}};

void BM_RewriteEmulatorConfig(benchmark::State& state) {
    test::TempDir dir;
    const auto file = dir.path() / "A1200.uae";
    test::WriteFile(file, Configuration());
    std::size_t launch = 0;
    for (auto _ : state) {
        const Result r = RewriteEmulatorConfig(file, kGames[launch++ % 2], false, kKeys);
        if (!r) {
            state.SkipWithError(r.error().c_str());
            break;
        }
    }
    state.SetLabel(std::to_string(std::filesystem::file_size(file)) + " bytes");
}
BENCHMARK(BM_RewriteEmulatorConfig)->Unit(benchmark::kMicrosecond);

void BM_NineSeparateProfileWrites(benchmark::State& state) {
    test::TempDir dir;
    const auto file = dir.path() / "A1200.uae";
    test::WriteFile(file, Configuration());
    std::size_t launch = 0;
    for (auto _ : state) {
        const DriveSlots& slots = kGames[launch++ % 2];
        // The type writes leave the file unchanged and are not rewritten; the count and the
        // image writes each replace the file.
        bool written = WriteProfileString(file, "Brackmoor", kKeys.count, "4").ok();
        for (int d = 0; d < 4; ++d) {
            written = WriteProfileString(file, "Brackmoor", kKeys.type[d], "0").ok() && written;
        }
        for (int d = 0; d < 4; ++d) {
            written =
                WriteProfileString(file, "Brackmoor", kKeys.image[d], slots[d]).ok() && written;
        }
        if (!written) {
            state.SkipWithError("a profile write failed");
            break;
        }
    }
}
BENCHMARK(BM_NineSeparateProfileWrites)->Unit(benchmark::kMicrosecond);

// The in-memory edit alone, without reading or writing the file.
void BM_ApplyEmulatorSectionInMemory(benchmark::State& state) {
    const IniDocument original(Configuration());
    std::size_t launch = 0;
    for (auto _ : state) {
        IniDocument document = original;
        benchmark::DoNotOptimize(
            ApplyEmulatorSection(document, kGames[launch++ % 2], true, kKeys).ok());
    }
}
BENCHMARK(BM_ApplyEmulatorSectionInMemory)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
