#include "imaging/jpeg_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "imaging/dib_image.h"
#include "imaging_test_support.h"
#include "test_support.h"

namespace brackmoor {
namespace {

using test::ReadFile;
using test::WriteFile;

// The description of the error the save raises.
std::string SaveFailure(const cDibImage& dib, const std::filesystem::path& file, int quality) {
    try {
        (void)SaveDibToJpg(dib, file.string(), quality);
    } catch (const JpegWriterError& error) {
        EXPECT_EQ(error.number, 26001);
        EXPECT_EQ(error.source, "Brackmoor.mJpegWriter");
        EXPECT_FALSE(error.reason.empty());
        return error.description;
    }
    return "no error raised";
}

TEST(JpegWriter, WritesThePictureUprightAtItsSize) {
    test::TempDir dir;
    for (const int width : {640, 3, 1}) {  // rows of 1920, 12 and 4 bytes: padding 0, 3, 1
        cDibImage dib;
        ASSERT_TRUE(dib.Create(width, 16));
        // The top half white: rows 8 to 15 in memory, which is bottom-up.
        std::fill_n(dib.DIBSectionBitsPtr() + 8 * dib.BytesPerScanLine(),
                    8 * dib.BytesPerScanLine(), 0xFF);
        const auto file = dir.path() / "shot.jpg";
        EXPECT_TRUE(SaveDibToJpg(dib, file.string(), 90));
        const auto jpeg = test::DecodeJpegFile(file);
        ASSERT_TRUE(jpeg) << width;
        EXPECT_EQ(jpeg->width, width);
        EXPECT_EQ(jpeg->height, 16);
        EXPECT_GT(jpeg->rgb.front(), 200) << "top line white, width " << width;
        EXPECT_LT(jpeg->rgb.back(), 50) << "bottom line black, width " << width;
    }
}

TEST(JpegWriter, HandsTheQualityOnUnchanged) {
    test::TempDir dir;
    cDibImage dib;
    dib.CreateFromPicture(test::SmoothPicture(64, 48));
    // 0 is the encoder's lowest quality; outside 0..100 the encoder refuses.
    EXPECT_TRUE(SaveDibToJpg(dib, (dir.path() / "q0.jpg").string(), 0));
    EXPECT_TRUE(SaveDibToJpg(dib, (dir.path() / "q100.jpg").string(), 100));
    EXPECT_LT(ReadFile(dir.path() / "q0.jpg").size(), ReadFile(dir.path() / "q100.jpg").size());
    EXPECT_EQ(SaveFailure(dib, dir.path() / "bad.jpg", 101), "Failed to save to JPG 1");
    EXPECT_EQ(SaveFailure(dib, dir.path() / "bad.jpg", -1), "Failed to save to JPG 1");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "bad.jpg"));
}

TEST(JpegWriter, ReplacesAFileKeepingItsTimesAndMode) {
    test::TempDir dir;
    const auto file = dir.path() / "GAME.jpg";
    WriteFile(file, "old picture");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    const timespec times[2] = {{1000000000, 123}, {1100000000, 456}};  // access, modification
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);

    cDibImage dib;
    dib.CreateFromPicture(test::SmoothPicture(32, 24));
    EXPECT_TRUE(SaveDibToJpg(dib, file.string(), 80));
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);  // before a read moves the access time
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_TRUE(st.st_atim.tv_sec == 1000000000 && st.st_atim.tv_nsec == 123);
    EXPECT_TRUE(st.st_mtim.tv_sec == 1100000000 && st.st_mtim.tv_nsec == 456);
    EXPECT_TRUE(test::DecodeJpegFile(file));
}

TEST(JpegWriter, AFailedSaveLeavesTheOldFile) {
    test::TempDir dir;
    cDibImage dib;
    dib.CreateFromPicture(test::SmoothPicture(32, 24));
    // A folder where the file should be, a read-only screenshot, a missing folder.
    const auto folder = dir.path() / "FOLDER.jpg";
    std::filesystem::create_directory(folder);
    WriteFile(folder / "inside", "kept");
    EXPECT_EQ(SaveFailure(dib, folder, 80), "Failed to save to JPG -1");
    EXPECT_EQ(ReadFile(folder / "inside"), "kept");
    const auto readOnly = dir.path() / "LOCKED.jpg";
    WriteFile(readOnly, "old picture");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    EXPECT_EQ(SaveFailure(dib, readOnly, 80), "Failed to save to JPG -1");
    EXPECT_EQ(ReadFile(readOnly), "old picture");
    EXPECT_EQ(SaveFailure(dib, dir.path() / "missing" / "A.jpg", 80), "Failed to save to JPG -1");

    // A picture without pixels fails in the encoder, before the file is touched.
    const auto file = dir.path() / "GAME.jpg";
    WriteFile(file, "old picture");
    EXPECT_EQ(SaveFailure(cDibImage(), file, 80), "Failed to save to JPG 1");
    dib.ClearUp();  // the header keeps its size, the pixels are gone
    EXPECT_EQ(SaveFailure(dib, file, 80), "Failed to save to JPG 1");
    EXPECT_EQ(ReadFile(file), "old picture");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3)
        << "no temporary file left behind";
}

}  // namespace
}  // namespace brackmoor
