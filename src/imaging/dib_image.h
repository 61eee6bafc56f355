#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>

class QImage;
class QPainter;

namespace brackmoor {

class MessageSink;
class PictureClipboard;

// An access outside a picture's byte grid. The pixel routines check every access against the
// grid and raise this instead of reading or writing outside the pixel memory; the caller decides
// what it means (a resample of a picture too small to resample, for one).
class DibRangeError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// The bitmap information header of a device-independent bitmap, field for field in its
// published order and widths.
struct DibInfoHeader {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

// How a block transfer combines the source bytes with the destination bytes.
enum class RasterOp : std::uint32_t {
    SrcCopy = 0x00CC0020,     // source
    SrcPaint = 0x00EE0086,    // source OR destination
    SrcAnd = 0x008800C6,      // source AND destination
    SrcInvert = 0x00660046,   // source XOR destination
    NotSrcCopy = 0x00330008,  // NOT source
};

// The program's in-memory picture: 24 bits per pixel, blue-green-red bytes, rows bottom-up
// (row 0 in memory is the bottom line), each row padded to a multiple of 4 bytes:
// pixel x of memory row y starts at byte y * BytesPerScanLine() + 3 * x. The padding bytes are
// never written by this class.
//
// The pixel memory is the one pixel store: the JPEG writer reads it in place. The pixel routines
// (RandomiseBits, Resample) work on it alone, without any window system. The device-context
// operations are a thin layer over Qt: a "device context" here is a QImage to copy from or a
// QPainter to draw on, converted to and from this layout at the transfer; hdc() and hDib() are
// opaque handles, non-zero exactly while the object holds a picture.
//
// A picture lives for one screenshot save; the object is neither copied nor moved.
class cDibImage {
public:
    using Handle = std::uintptr_t;

    cDibImage() = default;
    ~cDibImage();
    cDibImage(const cDibImage&) = delete;
    cDibImage& operator=(const cDibImage&) = delete;

    // bAsDIB true: tells the user that a device-independent bitmap cannot be put on the
    // clipboard and returns false, leaving the clipboard alone. bAsDIB false: draws the picture
    // into a screen-format picture and puts that on the clipboard; true when it is there.
    bool CopyToClipboard(MessageSink& messages, PictureClipboard& clipboard, bool bAsDIB = true);

    // Fills the header for lWidth x lHeight (it keeps that size even when refused) and makes
    // the pixel memory, zeroed; the new handle goes to hDib. False when the size cannot be had
    // (not positive, or more than 2 GB of pixels). lhDC is the context the picture is made for.
    bool CreateDIB(Handle lhDC, std::int32_t lWidth, std::int32_t lHeight, Handle& hDib);

    // Creates the object at the picture's size and copies the whole picture in, converted to
    // 24 bits. A null picture, or a size that cannot be had, leaves the object as Create left it.
    void CreateFromPicture(const QImage& picThis);

    // Releases what the object holds and makes a picture of lWidth x lHeight, all bytes 0.
    bool Create(std::int32_t lWidth, std::int32_t lHeight);

    // (3 * Width + 3) with the two lowest bits cleared; 0 for an empty object.
    std::int32_t BytesPerScanLine() const;
    std::int32_t Width() const { return header_.biWidth; }
    std::int32_t Height() const { return header_.biHeight; }
    const DibInfoHeader& Header() const { return header_; }

    // One block transfer into this picture at (0, 0) from the source at (lSrcLeft, lSrcTop),
    // top-down coordinates; a negative width or height means this picture's Width or Height.
    // What lies outside either picture is not transferred.
    void LoadPictureBlt(const QImage& source, std::int32_t lSrcLeft = 0, std::int32_t lSrcTop = 0,
                        std::int32_t lSrcWidth = -1, std::int32_t lSrcHeight = -1,
                        RasterOp eRop = RasterOp::SrcCopy);
    void LoadPictureBlt(const cDibImage& source, std::int32_t lSrcLeft = 0,
                        std::int32_t lSrcTop = 0, std::int32_t lSrcWidth = -1,
                        std::int32_t lSrcHeight = -1, RasterOp eRop = RasterOp::SrcCopy);

    // One block transfer from this picture at (lSrcLeft, lSrcTop) to the destination at
    // (lDestLeft, lDestTop), without stretching; any negative width or height means this
    // picture's whole Width or Height.
    void PaintPicture(QPainter& destination, std::int32_t lDestLeft = 0, std::int32_t lDestTop = 0,
                      std::int32_t lDestWidth = -1, std::int32_t lDestHeight = -1,
                      std::int32_t lSrcLeft = 0, std::int32_t lSrcTop = 0,
                      RasterOp eRop = RasterOp::SrcCopy) const;
    void PaintPicture(cDibImage& destination, std::int32_t lDestLeft = 0, std::int32_t lDestTop = 0,
                      std::int32_t lDestWidth = -1, std::int32_t lDestHeight = -1,
                      std::int32_t lSrcLeft = 0, std::int32_t lSrcTop = 0,
                      RasterOp eRop = RasterOp::SrcCopy) const;

    Handle hdc() const { return hdc_; }
    Handle hDib() const { return hDib_; }
    // The first byte of the pixel memory (the bottom row); null when there is no picture. Valid
    // while the object holds this picture.
    std::uint8_t* DIBSectionBitsPtr() { return bits_; }
    const std::uint8_t* DIBSectionBitsPtr() const { return bits_; }

    // Fills the pixels with noise from a generator seeded from the clock at each call: red-green
    // noise with blue 0 by default, grey noise (three equal bytes) with bGray.
    void RandomiseBits(bool bGray = false);

    // Releases the picture: handles and pixel pointer become 0, the header keeps the last size.
    void ClearUp();

    // A new picture lNewWidth x lNewHeight (height first) resampled bilinearly from this one;
    // an exact copy at the same size. Null when the new picture cannot be created. Raises
    // DibRangeError for another size of a source less than 2 pixels wide or high.
    std::unique_ptr<cDibImage> Resample(std::int32_t lNewHeight, std::int32_t lNewWidth) const;

private:
    void ResampleBilinear(cDibImage& destination) const;

    Handle hDib_ = 0;
    Handle hdc_ = 0;
    std::uint8_t* bits_ = nullptr;
    DibInfoHeader header_;
    std::unique_ptr<std::uint8_t[]> store_;
};

}  // namespace brackmoor
