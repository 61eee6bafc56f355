#include "imaging/jpeg_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "imaging/dib_image.h"
#include "imaging_test_support.h"
#include "test_support.h"

namespace brackmoor {
namespace {

// The description of the error the save raises.
std::string SaveFailure(const cDibImage& dib, const std::filesystem::path& file, int quality) {
    try {
        (void)SaveDibToJpg(dib, file.string(), quality);
    } catch (const JpegWriterError& error) {
        EXPECT_FALSE(error.reason.empty());
        return error.description;
    }
    return "no error raised";
}

TEST(JpegWriter, WritesThePictureUprightAtItsSize) {
    TempDir dir;
    const auto file = dir.path() / "shot.jpg";
    for (const int width : {640, 3, 1}) {  // rows of 1920, 12 and 4 bytes: padding 0, 3, 1
        cDibImage dib;
        ASSERT_TRUE(dib.Create(width, 16));
        // The top half white: rows 8 to 15 in memory, which is bottom-up.
        std::fill_n(dib.DIBSectionBitsPtr() + 8 * dib.BytesPerScanLine(),
                    8 * dib.BytesPerScanLine(), 0xFF);
        EXPECT_TRUE(SaveDibToJpg(dib, file.string(), 90));
        const QImage jpeg = test::LoadJpeg(file);
        ASSERT_EQ(jpeg.size(), QSize(width, 16));
        EXPECT_GT(qRed(jpeg.pixel(0, 0)), 200) << "top line white, width " << width;
        EXPECT_LT(qBlue(jpeg.pixel(width - 1, 15)), 50) << "bottom line black, width " << width;
    }
    // The quality is handed on: 0 is the encoder's lowest, 100 its highest.
    cDibImage dib;
    dib.CreateFromPicture(test::SmoothPicture(64, 48));
    EXPECT_TRUE(SaveDibToJpg(dib, file.string(), 0));
    const auto lowest = ReadFile(file).size();
    EXPECT_TRUE(SaveDibToJpg(dib, file.string(), 100));
    EXPECT_LT(lowest, ReadFile(file).size());
}

TEST(JpegWriter, ReplacesAFileKeepingItsTimesAndMode) {
    TempDir dir;
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
    EXPECT_FALSE(test::LoadJpeg(file).isNull());
}

TEST(JpegWriter, AFailedSaveLeavesTheOldFile) {
    TempDir dir;
    cDibImage dib;
    dib.CreateFromPicture(test::SmoothPicture(32, 24));
    // A folder where the file should be, a read-only screenshot, a missing folder.
    const auto folder = dir.path() / "FOLDER.jpg", locked = dir.path() / "LOCKED.jpg";
    std::filesystem::create_directory(folder);
    WriteFile(folder / "inside", "kept");
    WriteFile(locked, "old picture");
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    for (const auto& file : {folder, locked, dir.path() / "missing" / "A.jpg"})
        EXPECT_EQ(SaveFailure(dib, file, 80), "Failed to save to JPG -1") << file;
    EXPECT_EQ(ReadFile(folder / "inside"), "kept");
    EXPECT_EQ(ReadFile(locked), "old picture");
    // The encoder refuses a quality outside 0..100 and a picture without pixels (the header
    // keeps its size after ClearUp), before the file is touched.
    const auto file = dir.path() / "GAME.jpg";
    WriteFile(file, "old picture");
    EXPECT_EQ(SaveFailure(dib, file, 101), "Failed to save to JPG 1");
    EXPECT_EQ(SaveFailure(dib, file, -1), "Failed to save to JPG 1");
    EXPECT_EQ(SaveFailure(cDibImage(), file, 80), "Failed to save to JPG 1");
    dib.ClearUp();
    EXPECT_EQ(SaveFailure(dib, file, 80), "Failed to save to JPG 1");
    EXPECT_EQ(ReadFile(file), "old picture");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3)
        << "no temporary file left behind";
}

}  // namespace
}  // namespace brackmoor
