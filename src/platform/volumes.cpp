#include "platform/volumes.h"

#include <algorithm>

namespace brackmoor {

namespace {

bool IsMediaMount(const std::string& point) {
    for (const std::string prefix : {"/media/", "/run/media/", "/mnt/"}) {
        if (point.rfind(prefix, 0) == 0 && point.size() > prefix.size()) {
            return true;
        }
    }
    return false;
}

std::string NameOf(const std::string& point) {
    const std::size_t slash = point.rfind('/');
    return slash == std::string::npos ? point : point.substr(slash + 1);
}

}  // namespace

std::vector<Volume> MediaVolumes(const std::vector<MountPoint>& mounts) {
    std::vector<Volume> volumes{{"/", "/"}};
    for (const MountPoint& mount : mounts) {
        const bool seen = std::any_of(volumes.begin(), volumes.end(),
                                      [&](const Volume& v) { return v.root == mount.root; });
        if (IsMediaMount(mount.root) && !seen) {
            volumes.push_back({mount.root, mount.label.empty() ? NameOf(mount.root) : mount.label});
        }
    }
    return volumes;
}

}  // namespace brackmoor
