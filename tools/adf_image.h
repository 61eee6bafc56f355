#pragma once

#include <string>
#include <string_view>

namespace brackmoor {

// Size of an 880 KB Amiga floppy image: 80 cylinders, 2 heads, 11 sectors of 512 bytes.
inline constexpr std::size_t kAdfSize = 901120;

// The bytes of an empty, formatted OFS floppy called `volumeName` (at most 30 characters):
// boot block "DOS\0", root block at block 880 and its bitmap at 881, checksums set.
std::string BlankOfsImage(std::string_view volumeName);

}  // namespace brackmoor
