#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brackmoor {

// A place a user keeps media on: "/" and the volumes mounted under /media, /run/media and /mnt.
struct Volume {
    std::string root;   // the mount point, the volume's root folder
    std::string label;  // what the drive list shows beside it
};

// The volumes named by a mount table in the format of /proc/self/mounts, "/" first, the others
// in table order without repeats.
std::vector<Volume> VolumesFromMountTable(std::string_view table);

// The volumes of this machine now.
std::vector<Volume> ListVolumes();

}  // namespace brackmoor
