#include "imaging/jpeg_writer.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "imaging/dib_image.h"
#include "imaging_test_support.h"
#include "test_support.h"

namespace brackmoor {
namespace {

using test::ReadFile;
using test::WriteFile;

// A picture whose top half is white and bottom half black: row 0 in memory is the bottom line.
void TopHalfWhite(cDibImage& dib, int width, int height) {
    ASSERT_TRUE(dib.Create(width, height));
    for (int y = height / 2; y < height; ++y) {
        std::fill_n(dib.DIBSectionBitsPtr() + y * dib.BytesPerScanLine(), 3 * width, 0xFF);
    }
}

JpegWriterError SaveFailure(const cDibImage& dib, const std::filesystem::path& file, int quality) {
    try {
        (void)SaveDibToJpg(dib, file.string(), quality);
    } catch (const JpegWriterError& error) {
        return error;
    }
    ADD_FAILURE() << "no error raised for " << file;
    return JpegWriterError(0, "", "", "");
}

TEST(JpegWriter, WritesThePictureUprightAtItsSize) {
    test::TempDir dir;
    for (const auto& [width, stride] : {std::pair{640, 1920}, {3, 12}, {1, 4}}) {
        cDibImage dib;
        TopHalfWhite(dib, width, 16);
        ASSERT_EQ(dib.BytesPerScanLine(), stride);
        const auto file = dir.path() / ("w" + std::to_string(width) + ".jpg");
        EXPECT_TRUE(SaveDibToJpg(dib, file.string(), 90));
        const auto jpeg = test::DecodeJpegFile(file);
        ASSERT_TRUE(jpeg) << width;
        EXPECT_EQ(jpeg->width, width);
        EXPECT_EQ(jpeg->height, 16);
        const std::size_t lastLine = 3u * width * 15;
        EXPECT_GT(jpeg->rgb[0], 200) << "top line white, width " << width;
        EXPECT_LT(jpeg->rgb[lastLine], 50) << "bottom line black, width " << width;
    }
}

TEST(JpegWriter, HandsTheQualityOnUnchanged) {
    test::TempDir dir;
    cDibImage dib;
    dib.CreateFromPicture(test::SmoothPicture(64, 48));
    // 0 is the encoder's lowest quality: it saves, smaller than at 100.
    EXPECT_TRUE(SaveDibToJpg(dib, (dir.path() / "q0.jpg").string(), 0));
    EXPECT_TRUE(SaveDibToJpg(dib, (dir.path() / "q100.jpg").string(), 100));
    EXPECT_LT(ReadFile(dir.path() / "q0.jpg").size(), ReadFile(dir.path() / "q100.jpg").size());
    // Outside 0..100 the encoder refuses, and says so through the writer's error.
    for (const int quality : {101, -1}) {
        const JpegWriterError error = SaveFailure(dib, dir.path() / "bad.jpg", quality);
        EXPECT_EQ(error.number, 26001);
        EXPECT_EQ(error.source, "Brackmoor.mJpegWriter");
        EXPECT_EQ(error.description, "Failed to save to JPG 1");
        EXPECT_FALSE(error.reason.empty());
    }
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
    ASSERT_EQ(::stat(file.c_str(), &st), 0);  // before reading it moves the access time
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_atim.tv_sec, 1000000000);
    EXPECT_EQ(st.st_atim.tv_nsec, 123);
    EXPECT_EQ(st.st_mtim.tv_sec, 1100000000);
    EXPECT_EQ(st.st_mtim.tv_nsec, 456);
    EXPECT_TRUE(test::DecodeJpegFile(file));
}

TEST(JpegWriter, AFailedSaveLeavesTheOldFile) {
    test::TempDir dir;
    cDibImage dib;
    dib.CreateFromPicture(test::SmoothPicture(32, 24));

    // A folder where the file should be.
    const auto folder = dir.path() / "FOLDER.jpg";
    std::filesystem::create_directory(folder);
    WriteFile(folder / "inside", "kept");
    JpegWriterError error = SaveFailure(dib, folder, 80);
    EXPECT_EQ(error.number, 26001);
    EXPECT_EQ(error.description, "Failed to save to JPG -1");
    EXPECT_EQ(ReadFile(folder / "inside"), "kept");

    // A read-only screenshot, and a missing folder.
    const auto readOnly = dir.path() / "LOCKED.jpg";
    WriteFile(readOnly, "old picture");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    EXPECT_EQ(SaveFailure(dib, readOnly, 80).description, "Failed to save to JPG -1");
    EXPECT_EQ(ReadFile(readOnly), "old picture");
    EXPECT_FALSE(SaveFailure(dib, dir.path() / "missing" / "A.jpg", 80).reason.empty());

    // An empty picture fails in the encoder, before the file is touched.
    const auto file = dir.path() / "GAME.jpg";
    WriteFile(file, "old picture");
    cDibImage empty;
    error = SaveFailure(empty, file, 80);
    EXPECT_EQ(error.description, "Failed to save to JPG 1");
    dib.ClearUp();  // released: the header keeps its size, the pixels are gone
    EXPECT_EQ(SaveFailure(dib, file, 80).description, "Failed to save to JPG 1");
    EXPECT_EQ(ReadFile(file), "old picture");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3)
        << "no temporary file left behind";
}

}  // namespace
}  // namespace brackmoor
