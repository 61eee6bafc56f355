// The screenshot path on a full-HD picture, each beside a reference measured in the same run:
//   - Resample 1920 x 1080 -> 960 x 540 beside QImage::scaled with smooth transformation of the
//     same picture (as 32-bit and as 24-bit pixels); the goal is to be no slower.
//   - SaveDibToJpg at quality 80 beside tjCompress2 alone on the same pixels (an encoder and
//     an output buffer made once); the goal is within 1.2 x. The writer also replaces the file
//     (temporary file, fsync, rename): measured on the disk's temporary folder and on /dev/shm.
//   - The whole save of a 1920 x 1080 clipboard picture at "Half 50%"; the goal is under 60 ms.
//
//   imaging_bench [--benchmark_filter=...]

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <QGuiApplication>
#include <QImage>
#include <filesystem>

#include "imaging/dib_image.h"
#include "imaging/jpeg_writer.h"
#include "media/screenshot_capture.h"
#include "test_support.h"

namespace {

using brackmoor::cDibImage;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A screen-like picture: smooth gradients with sharp-edged blocks over them.
QImage ScreenPicture() {
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const bool block = ((x / 64) + (y / 48)) % 5 == 0;
            line[x] = block ? qRgb(240, 200, 40)
                            : qRgb(x * 255 / kWidth, y * 255 / kHeight, (x ^ y) & 0xFF);
        }
    }
    return picture;
}

const QImage& Picture() {
    static const QImage picture = ScreenPicture();
    return picture;
}

const cDibImage& Dib() {
    static cDibImage dib;
    if (dib.DIBSectionBitsPtr() == nullptr) {
        dib.CreateFromPicture(Picture());
    }
    return dib;
}

void BM_Resample(benchmark::State& state) {
    const cDibImage& dib = Dib();
    for (auto _ : state) {
        auto half = dib.Resample(kHeight / 2, kWidth / 2);
        benchmark::DoNotOptimize(half->DIBSectionBitsPtr());
    }
}
BENCHMARK(BM_Resample)->Unit(benchmark::kMillisecond);

void BM_QImageScaledSmooth_Reference(benchmark::State& state) {
    const QImage picture =
        state.range(0) == 32 ? Picture() : Picture().convertToFormat(QImage::Format_RGB888);
    for (auto _ : state) {
        QImage half = picture.scaled(kWidth / 2, kHeight / 2, Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation);
        benchmark::DoNotOptimize(half.constBits());
    }
}
BENCHMARK(BM_QImageScaledSmooth_Reference)
    ->Arg(32)
    ->Arg(24)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void BM_SaveDibToJpg(benchmark::State& state) {
    const cDibImage& dib = Dib();
    brackmoor::test::TempDir disk;
    const std::filesystem::path folder = state.range(0) == 1 ? "/dev/shm" : disk.path();
    const std::string file = (folder / "brackmoor-bench.jpg").string();
    for (auto _ : state) {
        benchmark::DoNotOptimize(brackmoor::SaveDibToJpg(dib, file, 80));
    }
    std::filesystem::remove(file);
    state.SetLabel(folder.string());
}
BENCHMARK(BM_SaveDibToJpg)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TjCompress2_Reference(benchmark::State& state) {
    const cDibImage& dib = Dib();
    tjhandle encoder = tjInitCompress();
    unsigned long size = tjBufSize(kWidth, kHeight, TJSAMP_420);
    unsigned char* jpeg = tjAlloc(static_cast<int>(size));
    for (auto _ : state) {
        if (tjCompress2(encoder, dib.DIBSectionBitsPtr(), kWidth, dib.BytesPerScanLine(), kHeight,
                        TJPF_BGR, &jpeg, &size, TJSAMP_420, 80,
                        TJFLAG_BOTTOMUP | TJFLAG_NOREALLOC) != 0) {
            state.SkipWithError(tjGetErrorStr2(encoder));
        }
        benchmark::DoNotOptimize(jpeg);
    }
    tjFree(jpeg);
    tjDestroy(encoder);
}
BENCHMARK(BM_TjCompress2_Reference)->Unit(benchmark::kMillisecond);

void BM_CaptureSaveHalf(benchmark::State& state) {
    brackmoor::test::TempDir snaps;
    const std::filesystem::path target = snaps.path() / "GAME.jpg";
    const std::optional<QImage> clipboard = Picture();
    for (auto _ : state) {
        const auto result = brackmoor::SaveScreenshot(clipboard, "Half 50%", "80", target);
        if (result.outcome != brackmoor::CaptureOutcome::Saved) {
            state.SkipWithError("not saved");
        }
    }
}
BENCHMARK(BM_CaptureSaveHalf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
