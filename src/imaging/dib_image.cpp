#include "imaging/dib_image.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "imaging/picture_clipboard.h"
#include "platform/messages.h"

// The resampler's rounding relies on IEEE arithmetic in the default rounding mode.
#ifdef __FAST_MATH__
#error "the pixel routines need exact IEEE arithmetic: build without -ffast-math"
#endif

namespace brackmoor {

namespace {

// The largest pixel memory made: what the header's 32-bit image size can describe.
constexpr std::int64_t kMaxPixelBytes = 0x7FFFFFFF;

std::int64_t ScanLineBytes(std::int64_t width) {
    return (3 * width + 3) & ~std::int64_t{3};
}

// The nearest whole number, a value exactly halfway going to the even one, as std::nearbyint
// gives in the default rounding mode, for 0 <= v < 2^52. Adding 2^52 leaves no bits for a
// fraction, so the addition itself rounds (to nearest, ties to even) and the subtraction is
// exact. It spares the resampler a library call for each of its nine roundings per pixel.
inline double RoundHalfEven(double v) {
    constexpr double kNoFraction = 4503599627370496.0;  // 2^52
    return (v + kNoFraction) - kNoFraction;
}

[[noreturn]] void OutsideGrid(std::int64_t bx, std::int64_t count, std::int64_t y,
                              std::int64_t stride, std::int64_t rows) {
    throw DibRangeError("bytes " + std::to_string(bx) + ".." + std::to_string(bx + count - 1) +
                        " of row " + std::to_string(y) + " lie outside the picture's " +
                        std::to_string(stride) + " x " + std::to_string(rows) + " byte grid");
}

// The pixel memory as a grid of bytes: byte (bx, y) is byte y * stride + bx, bx in
// 0 .. stride - 1 (padding included), y in 0 .. rows - 1. Every access is checked against the
// grid before it is made; a run of bytes of one row is checked as a whole.
template <typename Byte>
class ByteGrid {
public:
    class Row {
    public:
        Row(Byte* first, std::int64_t stride, std::int64_t rows, std::int64_t y)
            : first_(first), stride_(stride), rows_(rows), y_(y) {}
        // Bytes bx .. bx + count - 1 of this row.
        Byte* run(std::int64_t bx, std::int64_t count) const {
            if (bx < 0 || count < 0 || bx + count > stride_) {
                OutsideGrid(bx, count, y_, stride_, rows_);
            }
            return first_ + bx;
        }

    private:
        Byte* first_;
        std::int64_t stride_;
        std::int64_t rows_;
        std::int64_t y_;
    };

    // A grid over no memory has no bytes at all.
    ByteGrid(Byte* bytes, std::int64_t stride, std::int64_t rows)
        : bytes_(bytes),
          stride_(bytes != nullptr && stride > 0 ? stride : 0),
          rows_(bytes != nullptr && rows > 0 ? rows : 0) {}

    Row row(std::int64_t y) const {
        if (y < 0 || y >= rows_) {
            OutsideGrid(0, stride_, y, stride_, rows_);
        }
        return Row(bytes_ + y * stride_, stride_, rows_, y);
    }
    Byte& at(std::int64_t bx, std::int64_t y) const { return *row(y).run(bx, 1); }

private:
    Byte* bytes_;
    std::int64_t stride_;
    std::int64_t rows_;
};

// Blue-green-red pixels addressed top-down, as device contexts address them, whatever order
// the rows have in memory.
struct PixelView {
    std::uint8_t* top = nullptr;  // the first byte of the top line
    std::ptrdiff_t step = 0;      // from a line to the one below it
    std::int64_t width = 0;
    std::int64_t height = 0;

    std::uint8_t* line(std::int64_t r) const { return top + r * step; }
};

PixelView ViewOf(const cDibImage& picture) {
    PixelView view;
    // The pixel memory is only ever changed through the picture; the view is read-only for a
    // source and writable for the picture that owns it.
    auto* bits = const_cast<std::uint8_t*>(picture.DIBSectionBitsPtr());
    if (bits != nullptr) {
        const std::ptrdiff_t stride = picture.BytesPerScanLine();
        view.top = bits + (picture.Height() - 1) * stride;  // the bottom row comes first
        view.step = -stride;
        view.width = picture.Width();
        view.height = picture.Height();
    }
    return view;
}

// A transfer rectangle: w x h pixels from (sx, sy) in the source to (dx, dy) in the destination.
struct Transfer {
    std::int64_t sx, sy, dx, dy, w, h;
};

// Cuts the transfer to what lies inside the source and the destination; false when nothing is
// left.
bool Clip(Transfer& t, std::int64_t srcW, std::int64_t srcH, std::int64_t dstW, std::int64_t dstH) {
    const auto cut = [](std::int64_t& a, std::int64_t& b, std::int64_t& size) {
        const std::int64_t shift = std::max<std::int64_t>({0, -a, -b});
        a += shift;
        b += shift;
        size -= shift;
    };
    cut(t.sx, t.dx, t.w);
    cut(t.sy, t.dy, t.h);
    t.w = std::min({t.w, srcW - t.sx, dstW - t.dx});
    t.h = std::min({t.h, srcH - t.sy, dstH - t.dy});
    return t.w > 0 && t.h > 0;
}

bool KnownOp(RasterOp op) {
    switch (op) {
        case RasterOp::SrcCopy:
        case RasterOp::SrcPaint:
        case RasterOp::SrcAnd:
        case RasterOp::SrcInvert:
        case RasterOp::NotSrcCopy:
            return true;
    }
    return false;
}

// Combines n source bytes into n destination bytes by the raster operation.
void Combine(RasterOp op, const std::uint8_t* src, std::uint8_t* dst, std::size_t n) {
    switch (op) {
        case RasterOp::SrcCopy:
            std::memmove(dst, src, n);
            return;
        case RasterOp::SrcPaint:
            std::transform(src, src + n, dst, dst, [](auto s, auto d) { return s | d; });
            return;
        case RasterOp::SrcAnd:
            std::transform(src, src + n, dst, dst, [](auto s, auto d) { return s & d; });
            return;
        case RasterOp::SrcInvert:
            std::transform(src, src + n, dst, dst, [](auto s, auto d) { return s ^ d; });
            return;
        case RasterOp::NotSrcCopy:
            std::transform(src, src + n, dst, [](auto s) { return ~s; });
            return;
    }
}

// The block transfer between two pictures of this layout. A transfer within one picture reads
// a copy of the source lines, so overlapping rectangles come out as the source was.
void Blit(const PixelView& src, const PixelView& dst, Transfer t, RasterOp op) {
    if (!KnownOp(op) || src.top == nullptr || dst.top == nullptr ||
        !Clip(t, src.width, src.height, dst.width, dst.height)) {
        return;
    }
    const std::size_t n = static_cast<std::size_t>(3 * t.w);
    std::vector<std::uint8_t> copy;
    if (src.top == dst.top) {
        copy.resize(n * static_cast<std::size_t>(t.h));
        for (std::int64_t r = 0; r < t.h; ++r) {
            std::memcpy(copy.data() + r * n, src.line(t.sy + r) + 3 * t.sx, n);
        }
    }
    for (std::int64_t r = 0; r < t.h; ++r) {
        const std::uint8_t* from =
            copy.empty() ? src.line(t.sy + r) + 3 * t.sx : copy.data() + r * n;
        Combine(op, from, dst.line(t.dy + r) + 3 * t.dx, n);
    }
}

QPainter::CompositionMode ModeOf(RasterOp op) {
    switch (op) {
        case RasterOp::SrcPaint:
            return QPainter::RasterOp_SourceOrDestination;
        case RasterOp::SrcAnd:
            return QPainter::RasterOp_SourceAndDestination;
        case RasterOp::SrcInvert:
            return QPainter::RasterOp_SourceXorDestination;
        case RasterOp::NotSrcCopy:
            return QPainter::RasterOp_NotSource;
        case RasterOp::SrcCopy:
            break;
    }
    return QPainter::CompositionMode_Source;
}

// The resampler's arithmetic. A weight w is a 32-bit float in [0, 1); (1 - w) * a + w * b for
// bytes a and b is computed in double precision and rounded, ties to even. Nearly every weight
// is a whole number n of steps of 2^-23 (every position of 1 or more is, as a float has 23
// bits below its leading one); then both products and their sum are exact in double precision
// and equal s / 2^23 with the 31-bit whole number s = (2^23 - n) * a + n * b, so the result is
// s rounded to a multiple of 2^23, which whole-number arithmetic gives exactly. Weights of
// finer steps (positions below 1 in a great enlargement) take the double-precision path.
constexpr std::uint32_t kStepBits = 23;
constexpr std::uint32_t kOneStep = std::uint32_t{1} << kStepBits;
constexpr std::uint32_t kNotSteps = 0xFFFFFFFF;  // the weight is not a whole number of steps

std::uint32_t WeightSteps(double w) {
    const double n = w * kOneStep;  // exact: a power of two
    return n == std::floor(n) ? static_cast<std::uint32_t>(n) : kNotSteps;
}

inline std::uint32_t Blend(std::uint32_t n, std::uint32_t a, std::uint32_t b) {
    const std::uint32_t s = (kOneStep - n) * a + n * b;
    // s / 2^23 to the nearest whole number, ties to even: adding just under half a unit
    // carries into the whole part exactly when the rest is over half, or half with an odd
    // whole part. Plain arithmetic, so the compiler can work on many bytes at once.
    return (s + (kOneStep / 2 - 1) + ((s >> kStepBits) & 1)) >> kStepBits;
}

inline std::uint32_t Blend(double w, double a, double b) {
    return static_cast<std::uint32_t>(RoundHalfEven((1.0 - w) * a + w * b));
}

// The two passes over one destination row. Where the compiler can, each is built twice, for
// processors with AVX2 and for all others, and the program takes one at start-up; the results
// are the same. They raise nothing (GCC takes a function built twice for one that never
// raises): their bytes are checked against the grid before they are called.
#if defined(__x86_64__) && defined(__GNUC__) && defined(__ELF__) && !defined(__SANITIZE_ADDRESS__)
#define BRACKMOOR_PIXEL_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define BRACKMOOR_PIXEL_LOOP
#endif

// v[b] = the blend of t[b] and u[b] with the lower row's weight, for b < count.
BRACKMOOR_PIXEL_LOOP void VerticalPass(const std::uint8_t* t, const std::uint8_t* u,
                                       std::uint32_t steps, double dy, std::uint8_t* v,
                                       std::int64_t count) {
    if (steps == kNotSteps) {
        for (std::int64_t b = 0; b < count; ++b) {
            v[b] = static_cast<std::uint8_t>(Blend(dy, t[b], u[b]));
        }
        return;
    }
    for (std::int64_t b = 0; b < count; ++b) {
        v[b] = static_cast<std::uint8_t>(Blend(steps, t[b], u[b]));
    }
}

// Destination pixel x from the vertical values of its left and right source pixels: blue,
// green, red, each held to 0 .. 255. A blend of two bytes never leaves that range, so only the
// double-precision path, which converts, holds it explicitly.
BRACKMOOR_PIXEL_LOOP void HorizontalPass(const std::uint8_t* vertical, const std::int64_t* leftByte,
                                         const std::uint32_t* steps, const double* weight,
                                         std::uint8_t* out, std::int64_t width) {
    for (std::int64_t x = 0; x < width; ++x, out += 3) {
        const std::uint8_t* p = vertical + leftByte[x];
        const std::uint32_t n = steps[x];
        if (n != kNotSteps) {
            out[0] = static_cast<std::uint8_t>(Blend(n, p[0], p[3]));
            out[1] = static_cast<std::uint8_t>(Blend(n, p[1], p[4]));
            out[2] = static_cast<std::uint8_t>(Blend(n, p[2], p[5]));
            continue;
        }
        for (int c = 0; c < 3; ++c) {
            const std::uint32_t value = Blend(weight[x], p[c], p[c + 3]);
            out[c] = static_cast<std::uint8_t>(std::min<std::uint32_t>(value, 255));
        }
    }
}

std::int64_t WholeWhenNegative(std::int32_t size, std::int32_t whole) {
    return size < 0 ? whole : size;
}

}  // namespace

cDibImage::~cDibImage() {
    ClearUp();
}

bool cDibImage::CopyToClipboard(MessageSink& messages, PictureClipboard& clipboard, bool bAsDIB) {
    if (bAsDIB) {
        Message message;
        message.text = "I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!";
        message.icon = MessageIcon::None;
        messages.show(message);
        return false;
    }
    if (bits_ == nullptr) {
        return false;
    }
    // The screen's own format: the clipboard gets a plain picture, never this layout.
    QImage screen(Width(), Height(), QImage::Format_RGB32);
    if (screen.isNull()) {
        return false;
    }
    {
        QPainter painter(&screen);
        PaintPicture(painter);
    }
    return clipboard.setPicture(screen);
}

bool cDibImage::CreateDIB(Handle /*lhDC*/, std::int32_t lWidth, std::int32_t lHeight,
                          Handle& hDib) {
    // Any 32-bit size is measured without overflowing: the header's 32-bit image size is the
    // product modulo 2^32, and only a positive size within the limit is made.
    const std::int64_t stride = ScanLineBytes(lWidth);
    const bool fits = lWidth > 0 && lHeight > 0 && stride <= kMaxPixelBytes / lHeight;
    const std::int64_t bytes = fits ? stride * lHeight : 0;
    header_ = DibInfoHeader{};
    header_.biSize = 40;
    header_.biWidth = lWidth;
    header_.biHeight = lHeight;
    header_.biPlanes = 1;
    header_.biBitCount = 24;
    header_.biCompression = 0;  // uncompressed
    header_.biSizeImage = static_cast<std::uint32_t>(static_cast<std::uint64_t>(stride) *
                                                     static_cast<std::uint64_t>(lHeight));

    // A picture made again replaces the memory of the one before.
    store_.reset();
    bits_ = nullptr;
    hDib_ = 0;
    hDib = 0;
    if (!fits) {
        return false;
    }
    store_.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(bytes)]());
    if (!store_) {
        return false;
    }
    bits_ = store_.get();
    hDib = reinterpret_cast<Handle>(bits_);
    return true;
}

void cDibImage::CreateFromPicture(const QImage& picThis) {
    if (Create(picThis.width(), picThis.height())) {
        LoadPictureBlt(picThis);
    }
}

bool cDibImage::Create(std::int32_t lWidth, std::int32_t lHeight) {
    ClearUp();
    // The object is its own memory context: its handle is the object's address.
    hdc_ = reinterpret_cast<Handle>(this);
    Handle dib = 0;
    if (!CreateDIB(hdc_, lWidth, lHeight, dib)) {
        hdc_ = 0;
        return false;
    }
    hDib_ = dib;
    return true;
}

std::int32_t cDibImage::BytesPerScanLine() const {
    return static_cast<std::int32_t>(ScanLineBytes(header_.biWidth));
}

void cDibImage::LoadPictureBlt(const QImage& source, std::int32_t lSrcLeft, std::int32_t lSrcTop,
                               std::int32_t lSrcWidth, std::int32_t lSrcHeight, RasterOp eRop) {
    if (source.isNull()) {
        return;
    }
    // The transfer converts the source's colour depth to 24 bits; a picture with an alpha
    // channel gives its colours as they are, as a block transfer does.
    const QImage bgr = source.format() == QImage::Format_BGR888
                           ? source
                           : source.convertToFormat(QImage::Format_BGR888);
    PixelView from;
    from.top = const_cast<std::uint8_t*>(bgr.constBits());  // only read
    from.step = bgr.bytesPerLine();
    from.width = bgr.width();
    from.height = bgr.height();
    Blit(from, ViewOf(*this),
         {lSrcLeft, lSrcTop, 0, 0, WholeWhenNegative(lSrcWidth, Width()),
          WholeWhenNegative(lSrcHeight, Height())},
         eRop);
}

void cDibImage::LoadPictureBlt(const cDibImage& source, std::int32_t lSrcLeft, std::int32_t lSrcTop,
                               std::int32_t lSrcWidth, std::int32_t lSrcHeight, RasterOp eRop) {
    Blit(ViewOf(source), ViewOf(*this),
         {lSrcLeft, lSrcTop, 0, 0, WholeWhenNegative(lSrcWidth, Width()),
          WholeWhenNegative(lSrcHeight, Height())},
         eRop);
}

void cDibImage::PaintPicture(QPainter& destination, std::int32_t lDestLeft, std::int32_t lDestTop,
                             std::int32_t lDestWidth, std::int32_t lDestHeight,
                             std::int32_t lSrcLeft, std::int32_t lSrcTop, RasterOp eRop) const {
    // The rectangle is cut to this picture here (a part left of or above the destination is
    // cut as well, which draws the same); the painter cuts it to the destination.
    Transfer t{lSrcLeft,
               lSrcTop,
               lDestLeft,
               lDestTop,
               WholeWhenNegative(lDestWidth, Width()),
               WholeWhenNegative(lDestHeight, Height())};
    const PixelView from = ViewOf(*this);
    constexpr std::int64_t kUnbounded = std::int64_t{1} << 40;
    if (!KnownOp(eRop) || from.top == nullptr ||
        !Clip(t, from.width, from.height, kUnbounded, kUnbounded) || t.dx > INT32_MAX ||
        t.dy > INT32_MAX) {
        return;
    }
    QImage part(static_cast<int>(t.w), static_cast<int>(t.h), QImage::Format_BGR888);
    if (part.isNull()) {
        return;
    }
    for (std::int64_t r = 0; r < t.h; ++r) {
        std::memcpy(part.scanLine(static_cast<int>(r)), from.line(t.sy + r) + 3 * t.sx,
                    static_cast<std::size_t>(3 * t.w));
    }
    destination.save();
    destination.setCompositionMode(ModeOf(eRop));
    destination.drawImage(QPoint(static_cast<int>(t.dx), static_cast<int>(t.dy)), part);
    destination.restore();
}

void cDibImage::PaintPicture(cDibImage& destination, std::int32_t lDestLeft, std::int32_t lDestTop,
                             std::int32_t lDestWidth, std::int32_t lDestHeight,
                             std::int32_t lSrcLeft, std::int32_t lSrcTop, RasterOp eRop) const {
    Blit(ViewOf(*this), ViewOf(destination),
         {lSrcLeft, lSrcTop, lDestLeft, lDestTop, WholeWhenNegative(lDestWidth, Width()),
          WholeWhenNegative(lDestHeight, Height())},
         eRop);
}

void cDibImage::RandomiseBits(bool bGray) {
    if (bits_ == nullptr || Width() <= 0 || Height() <= 0) {
        return;
    }
    const ByteGrid<std::uint8_t> grid(bits_, BytesPerScanLine(), Height());
    std::mt19937_64 generator(
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    // r in [0, 1) from the top 53 bits, so r * 255 stays below 255.
    const auto next = [&generator] {
        const double r = static_cast<double>(generator() >> 11) * 0x1.0p-53;
        return static_cast<std::uint8_t>(RoundHalfEven(r * 255.0));
    };
    const std::int64_t xEnd = 3 * (std::int64_t{Width()} - 1);
    if (!bGray) {
        for (std::int64_t bx = 0; bx <= xEnd; bx += 3) {
            for (std::int64_t y = 0; y < Height(); ++y) {
                grid.at(bx, y) = 0;
                grid.at(bx + 1, y) = next();
                grid.at(bx + 2, y) = next();
            }
        }
        return;
    }
    for (std::int64_t y = 0; y < Height(); ++y) {
        for (std::int64_t bx = 0; bx <= xEnd; bx += 3) {
            const std::uint8_t v = next();
            grid.at(bx, y) = v;
            grid.at(bx + 1, y) = v;
            grid.at(bx + 2, y) = v;
        }
    }
}

void cDibImage::ClearUp() {
    store_.reset();
    bits_ = nullptr;
    hDib_ = 0;
    hdc_ = 0;
}

std::unique_ptr<cDibImage> cDibImage::Resample(std::int32_t lNewHeight,
                                               std::int32_t lNewWidth) const {
    auto result = std::make_unique<cDibImage>();
    if (!result->Create(lNewWidth, lNewHeight)) {
        return nullptr;
    }
    if (lNewWidth == Width() && lNewHeight == Height()) {
        result->LoadPictureBlt(*this);
    } else {
        ResampleBilinear(*result);  // a DibRangeError releases the new picture on its way out
    }
    return result;
}

// Bilinear resampling into a destination already created. Scales and positions are 32-bit
// floats, products and sums are computed in double precision; the vertical pass is rounded to
// whole numbers before the horizontal one (ties to even at both steps). The column positions
// depend only on x, so they are worked out once per call, not once per row.
void cDibImage::ResampleBilinear(cDibImage& destination) const {
    const std::int64_t newW = destination.Width();
    const std::int64_t newH = destination.Height();
    const ByteGrid<const std::uint8_t> src(bits_, BytesPerScanLine(), Height());
    const ByteGrid<std::uint8_t> dst(destination.bits_, destination.BytesPerScanLine(), newH);

    const auto scale = [](std::int64_t from, std::int64_t to) {
        return static_cast<float>(static_cast<double>(from - 1) / static_cast<double>(to));
    };
    const float xScale = scale(Width(), newW);
    const float yScale = scale(Height(), newH);

    // Per destination column: the first source byte (left pixel) and the right pixel's weight.
    std::vector<std::int64_t> leftByte(static_cast<std::size_t>(newW));
    std::vector<double> rightWeight(static_cast<std::size_t>(newW));
    std::vector<std::uint32_t> rightSteps(static_cast<std::size_t>(newW));
    for (std::int64_t x = 0; x < newW; ++x) {
        const auto i = static_cast<std::size_t>(x);
        const float fx = static_cast<float>(static_cast<double>(xScale) * static_cast<double>(x));
        const double ix = std::floor(static_cast<double>(fx));
        leftByte[i] = 3 * static_cast<std::int64_t>(ix);
        rightWeight[i] = static_cast<float>(static_cast<double>(fx) - ix);
        rightSteps[i] = WeightSteps(rightWeight[i]);
    }

    // The vertical pass of a row pair, rounded, for every byte of the row (padding included,
    // so that a column reads exactly the values its bytes of the grid give); then the
    // horizontal pass per column from those values. Done this way the vertical pass runs once
    // per source byte instead of once per destination pixel and neighbour. The six bytes each
    // column reads are checked against a row of the grid once for all rows, and the two rows
    // of each pair as they are taken.
    const std::int64_t stride = BytesPerScanLine();
    std::vector<std::uint8_t> vertical(static_cast<std::size_t>(stride));
    for (std::int64_t x = 0; x < newW; ++x) {
        const ByteGrid<const std::uint8_t>::Row anyRow(vertical.data(), stride, Height(), 0);
        (void)anyRow.run(leftByte[static_cast<std::size_t>(x)], 6);
    }
    for (std::int64_t y = 0; y < newH; ++y) {
        const float fy = static_cast<float>(static_cast<double>(yScale) * static_cast<double>(y));
        const double iy = std::floor(static_cast<double>(fy));
        const double dy = static_cast<float>(static_cast<double>(fy) - iy);
        const std::uint8_t* t = src.row(static_cast<std::int64_t>(iy)).run(0, stride);
        const std::uint8_t* u = src.row(static_cast<std::int64_t>(iy) + 1).run(0, stride);
        VerticalPass(t, u, WeightSteps(dy), dy, vertical.data(), stride);
        HorizontalPass(vertical.data(), leftByte.data(), rightSteps.data(), rightWeight.data(),
                       dst.row(y).run(0, 3 * newW), newW);
    }
}

}  // namespace brackmoor
