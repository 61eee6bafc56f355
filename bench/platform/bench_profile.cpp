// Profile reads and writes on a 600 KB file of 10,000 sections of 5 keys, beside a reader that
// parses the file on every call, measured in the same run.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/profile_file.h"

namespace {

using namespace brackmoor;

// The benchmark's file, removed when the program ends.
struct BenchFile {
    std::filesystem::path path;
    ~BenchFile() {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
};

const std::filesystem::path& LargeFile() {
    static const BenchFile file = [] {
        BenchFile made{std::filesystem::temp_directory_path() /
                       ("bench_profile." + std::to_string(::getpid()) + ".ini")};
        std::string text;
        for (int i = 0; i < 10000; ++i) {
            text += "[GAME NUMBER " + std::to_string(i) +
                    "]\r\nCF=1\r\nAL=0\r\nWB=2\r\nDU=1\r\nNotes=Fine game\r\n";
        }
        if (Result written = ReplaceFileAtomically(made.path, text); !written) {
            std::fprintf(stderr, "cannot write %s: %s\n", made.path.c_str(),
                         written.error().c_str());
            std::exit(1);
        }
        return made;
    }();
    return file.path;
}

std::string Section(int i) {
    return "GAME NUMBER " + std::to_string((i * 7919) % 10000);
}

void ReadUnchangedFile(benchmark::State& state) {
    const auto& file = LargeFile();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadProfileString(file, Section(i++), "Notes", "None", 500));
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file));
}
BENCHMARK(ReadUnchangedFile);

// The reference: a reader without a cache parses the whole file on every call.
void ReadParsingEachCall(benchmark::State& state) {
    const auto& file = LargeFile();
    int i = 0;
    for (auto _ : state) {
        const IniDocument document(*ReadWholeFile(file, nullptr));
        benchmark::DoNotOptimize(ProfileGet(&document, Section(i++), "Notes", "None", 500));
    }
}
BENCHMARK(ReadParsingEachCall)->Unit(benchmark::kMillisecond);

void WriteOneKeyAtomically(benchmark::State& state) {
    const auto& file = LargeFile();
    int i = 0;
    for (auto _ : state) {
        const Result written = WriteProfileString(file, Section(i), "CF", std::to_string(i % 50));
        ++i;
        if (!written) {
            state.SkipWithError(written.error().c_str());
        }
    }
}
BENCHMARK(WriteOneKeyAtomically)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
