#pragma once

#include <string>
#include <vector>

namespace brackmoor {

// A place a user keeps media on: "/" and the volumes mounted under /media, /run/media and /mnt.
struct Volume {
    std::string root;   // the mount point, the volume's root folder
    std::string label;  // what the drive list shows beside it
};

// A mounted file system as the system lists it.
struct MountPoint {
    std::string root;
    std::string label;  // the file system's own label; may be empty
};

// The volumes among `mounts`: "/" first, then the media mounts in the given order without
// repeats, each labelled with its file system's label or else its mount point's name.
std::vector<Volume> MediaVolumes(const std::vector<MountPoint>& mounts);

}  // namespace brackmoor
