#include "media/screenshot_capture.h"

#include <gtest/gtest.h>

#include "imaging/dib_image.h"
#include "imaging/jpeg_writer.h"
#include "imaging_test_support.h"
#include "test_support.h"

namespace brackmoor {
namespace {

// The replaced file keeping its times and mode is the JPEG writer's rule (jpeg_writer_test.cpp).
class ScreenshotCaptureTest : public ::testing::Test {
protected:
    CaptureOutcome save(const char* size, const char* compression = "80") {
        return SaveClipboardScreenshot(clipboard, size, compression, target).outcome;
    }
    QSize savedSize() const { return test::LoadJpeg(target).size(); }
    TempDir dir;
    std::filesystem::path target = dir.path() / "LEMMINGS.jpg";
    test::ScriptedClipboard clipboard;
};

TEST_F(ScreenshotCaptureTest, SavesAtTheChosenSizeReplacingTheLastSave) {
    clipboard.held = test::SmoothPicture(800, 600);
    EXPECT_EQ(save("Full 100%", "90"), CaptureOutcome::Saved);
    ASSERT_EQ(savedSize(), QSize(800, 600));
    EXPECT_GT(test::Psnr(test::LoadJpeg(target), *clipboard.held), 30.0);
    EXPECT_EQ(save("Half 50%"), CaptureOutcome::Saved);
    EXPECT_EQ(savedSize(), QSize(400, 300));
    EXPECT_EQ(save("Third 33%"), CaptureOutcome::Saved);
    EXPECT_EQ(savedSize(), QSize(267, 200));
}

TEST_F(ScreenshotCaptureTest, SavesNothingForAnotherSizeTextOrNoPicture) {
    clipboard.held = test::SmoothPicture(80, 60);
    for (const char* size : {"half 50%", "Half 50% ", "Half", "", "Quarter 25%"})
        EXPECT_EQ(save(size), CaptureOutcome::UnknownSize) << size;
    clipboard.held.reset();
    EXPECT_EQ(save("Half 50%"), CaptureOutcome::NoPicture);
    clipboard.held = QImage();
    EXPECT_EQ(save("Half 50%"), CaptureOutcome::NoPicture);
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(ScreenshotCaptureTest, RoundsTheCompressionHalvesToEvenAndReportsTheWriter) {
    clipboard.held = test::SmoothPicture(64, 48);
    cDibImage dib;
    dib.CreateFromPicture(*clipboard.held);
    const auto direct = dir.path() / "direct.jpg";
    for (const auto& [text, quality] : {std::pair{"80.5", 80}, {"81.5", 82}, {"", 0}}) {
        ASSERT_EQ(save("Full 100%", text), CaptureOutcome::Saved) << text;
        ASSERT_TRUE(SaveDibToJpg(dib, direct.string(), quality));
        EXPECT_EQ(ReadFile(target), ReadFile(direct)) << text;
    }
    const CaptureResult failed =
        SaveClipboardScreenshot(clipboard, "Full 100%", "80", dir.path() / "Snaps" / "A.jpg");
    EXPECT_EQ(failed.outcome, CaptureOutcome::WriteFailed);
    EXPECT_EQ(failed.description, "Failed to save to JPG -1");
}

// A dropped PNG saved, a text file refused: frm_media_test.cpp. Here what a window cannot see.
TEST_F(ScreenshotCaptureTest, SavesPictureFilesByTheirContentAndRefusesOtherFiles) {
    const auto disguised = dir.path() / "shot.txt";
    ASSERT_TRUE(
        test::SmoothPicture(90, 60).save(QString::fromStdString(disguised.string()), "BMP"));
    const auto saveFile = [&](const std::filesystem::path& file, const char* size) {
        return SavePictureFileAsScreenshot(file, size, "80", target);
    };
    EXPECT_EQ(saveFile(disguised, "Half 50%").outcome, CaptureOutcome::Saved);
    EXPECT_EQ(savedSize(), QSize(45, 30));
    EXPECT_EQ(saveFile(target, "Full 100%").outcome, CaptureOutcome::Saved);  // the JPEG itself
    const std::string before = ReadFile(target);
    WriteFile(dir.path() / "anim.gif", "GIF89a");  // a picture, but not one of the three
    for (const auto& file : {dir.path() / "anim.gif", dir.path(), dir.path() / "missing.png"}) {
        const CaptureResult result = saveFile(file, "Full 100%");
        EXPECT_EQ(result.outcome, CaptureOutcome::NotAPicture) << file;
        EXPECT_FALSE(result.description.empty());
    }
    EXPECT_EQ(ReadFile(target), before);
}

}  // namespace
}  // namespace brackmoor
