#include "imaging/jpeg_writer.h"

#include <turbojpeg.h>

#include <climits>
#include <string_view>
#include <utility>

#include "imaging/dib_image.h"
#include "platform/atomic_file.h"

namespace brackmoor {

namespace {

// The status reported when the encoder gives none of its own: no encoder instance, or a file
// that could not be written.
constexpr int kNoEncoderStatus = -1;

// One encoder instance for one save, destroyed on every path.
class Compressor {
public:
    Compressor() : handle_(tjInitCompress()) {}
    ~Compressor() {
        if (handle_ != nullptr) {
            tjDestroy(handle_);
        }
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    tjhandle handle() const { return handle_; }

private:
    tjhandle handle_;
};

// The encoder's output buffer, freed on every path.
struct JpegBytes {
    JpegBytes() = default;
    JpegBytes(const JpegBytes&) = delete;
    JpegBytes& operator=(const JpegBytes&) = delete;
    ~JpegBytes() { tjFree(data); }

    unsigned char* data = nullptr;
    unsigned long size = 0;
};

[[noreturn]] void Raise(std::string description, std::string reason) {
    throw JpegWriterError(kJpegWriterErrorNumber, kJpegWriterErrorSource, std::move(description),
                          std::move(reason));
}

}  // namespace

JpegWriterError::JpegWriterError(int number, std::string source, std::string description,
                                 std::string reason)
    : std::runtime_error(description),
      number(number),
      source(std::move(source)),
      description(std::move(description)),
      reason(std::move(reason)) {}

std::string EncodeDibToJpg(const cDibImage& picture, int quality) {
    Compressor encoder;
    if (encoder.handle() == nullptr) {
        Raise("Failed to initialise the JPEG library: " + std::to_string(kNoEncoderStatus),
              tjGetErrorStr2(nullptr));
    }

    const int width = picture.Width();
    const int height = picture.Height();
    // A buffer as large as any JPEG of this size can be, so the encoder never grows it by
    // copying; an empty picture is left for the encoder to refuse.
    JpegBytes jpeg;
    int flags = TJFLAG_BOTTOMUP;
    if (width > 0 && height > 0) {
        const unsigned long largest = tjBufSize(width, height, TJSAMP_420);
        if (largest != static_cast<unsigned long>(-1) && largest <= INT_MAX) {
            jpeg.data = tjAlloc(static_cast<int>(largest));
        }
        if (jpeg.data != nullptr) {
            jpeg.size = largest;
            flags |= TJFLAG_NOREALLOC;
        }
    }
    // The rows lie bottom-up, blue-green-red, S bytes apart: the encoder reads them in place.
    if (tjCompress2(encoder.handle(), picture.DIBSectionBitsPtr(), width,
                    picture.BytesPerScanLine(), height, TJPF_BGR, &jpeg.data, &jpeg.size,
                    TJSAMP_420, quality, flags) != 0) {
        Raise("Failed to save to JPG " + std::to_string(tjGetErrorCode(encoder.handle())),
              tjGetErrorStr2(encoder.handle()));
    }
    return std::string(reinterpret_cast<const char*>(jpeg.data), jpeg.size);
}

bool SaveDibToJpg(const cDibImage& picture, const std::string& file, int quality) {
    const std::string jpeg = EncodeDibToJpg(picture, quality);
    ReplaceOptions options;
    options.keepTimes = true;
    const Result written = ReplaceFileAtomically(file, jpeg, options);
    if (!written) {
        // The file is named: a reason such as "Not a directory" says little on its own.
        Raise("Failed to save to JPG " + std::to_string(kNoEncoderStatus),
              "\"" + file + "\": " + written.error());
    }
    return true;
}

}  // namespace brackmoor
