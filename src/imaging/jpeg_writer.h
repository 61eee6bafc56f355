#pragma once

#include <stdexcept>
#include <string>

namespace brackmoor {

class cDibImage;

// What the JPEG writer raises when it cannot save: number 26001, source
// "Brackmoor.mJpegWriter", and a description of "Failed to initialise the JPEG library: " or
// "Failed to save to JPG " followed by the encoder's status in decimal. `reason` says in words
// what went wrong (the encoder's message, or the file's name and the system's reason for a
// file that could not be written); the description alone is what the user has always been
// shown.
class JpegWriterError : public std::runtime_error {
public:
    JpegWriterError(int number, std::string source, std::string description, std::string reason);

    int number;
    std::string source;
    std::string description;
    std::string reason;
};

inline constexpr int kJpegWriterErrorNumber = 26001;
inline constexpr const char* kJpegWriterErrorSource = "Brackmoor.mJpegWriter";

// Writes the picture to `file` as a JPEG of the picture's size, upright, 4:2:0, with `quality`
// handed to the encoder unchanged (100 is the best, 0 the encoder's lowest, which it treats as
// 1; outside 0..100 the encoder refuses). The pixels go to the encoder in place. The JPEG is
// made in memory first and then replaces the file atomically: an existing file keeps its
// permission bits and its access and modification times, and a failed encode or write leaves
// it as it was. True when written; any failure raises JpegWriterError.
bool SaveDibToJpg(const cDibImage& picture, const std::string& file, int quality);

// The JPEG that SaveDibToJpg writes, made in memory: the encoder's failures (no picture, a size
// beyond the JPEG's 65500 pixels a side, a quality outside 0..100) raise JpegWriterError as
// they do there.
std::string EncodeDibToJpg(const cDibImage& picture, int quality);

}  // namespace brackmoor
