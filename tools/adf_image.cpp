#include "adf_image.h"

#include <cstdint>

namespace brackmoor {

namespace {

constexpr std::size_t kBlock = 512;
constexpr std::uint32_t kRootBlock = 880;
constexpr std::uint32_t kBitmapBlock = 881;
constexpr std::uint32_t kBlocks = kAdfSize / kBlock;

void PutLong(std::string& image, std::size_t at, std::uint32_t value) {
    image[at] = static_cast<char>(value >> 24);
    image[at + 1] = static_cast<char>(value >> 16);
    image[at + 2] = static_cast<char>(value >> 8);
    image[at + 3] = static_cast<char>(value);
}

std::uint32_t GetLong(const std::string& image, std::size_t at) {
    auto byte = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(image[i]));
    };
    return byte(at) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3);
}

// The checksum long makes the sum of all longs of the block zero.
void SetChecksum(std::string& image, std::size_t block, std::size_t checksumOffset) {
    const std::size_t base = block * kBlock;
    PutLong(image, base + checksumOffset, 0);
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < kBlock; i += 4) {
        sum += GetLong(image, base + i);
    }
    PutLong(image, base + checksumOffset, 0u - sum);
}

}  // namespace

std::string BlankOfsImage(std::string_view volumeName) {
    std::string image(kAdfSize, '\0');
    image.replace(0, 4, std::string("DOS\0", 4));

    const std::size_t root = kRootBlock * kBlock;
    PutLong(image, root + 0, 2);              // block type: header
    PutLong(image, root + 12, 72);            // hash table size
    PutLong(image, root + 312, 0xFFFFFFFFu);  // bitmap valid
    PutLong(image, root + 316, kBitmapBlock);
    const std::string_view name = volumeName.substr(0, 30);
    image[root + 432] = static_cast<char>(name.size());
    image.replace(root + 433, name.size(), name);
    PutLong(image, root + 508, 1);  // secondary type: root
    SetChecksum(image, kRootBlock, 20);

    // Every block from 2 on is free except the root and the bitmap (a set bit is a free block).
    const std::size_t bitmap = kBitmapBlock * kBlock;
    for (std::uint32_t block = 2; block < kBlocks; ++block) {
        if (block == kRootBlock || block == kBitmapBlock) {
            continue;
        }
        const std::uint32_t bit = block - 2;
        const std::size_t at = bitmap + 4 + (bit / 32) * 4;
        PutLong(image, at, GetLong(image, at) | (1u << (bit % 32)));
    }
    SetChecksum(image, kBitmapBlock, 0);
    return image;
}

}  // namespace brackmoor
