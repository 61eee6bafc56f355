#include "platform/volumes.h"

#include <algorithm>
#include <sstream>

#include "platform/atomic_file.h"

namespace brackmoor {

namespace {

// Mount tables escape blanks and backslashes as three octal digits ("\040").
std::string Unescape(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string_view digits = field.substr(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(),
                            [](char c) { return c >= '0' && c <= '7'; })) {
                out += static_cast<char>(std::stoi(std::string(digits), nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool IsMediaMount(const std::string& point) {
    for (const char* prefix : {"/media/", "/run/media/", "/mnt/"}) {
        if (point.rfind(prefix, 0) == 0 && point.size() > std::string(prefix).size()) {
            return true;
        }
    }
    return false;
}

std::string LabelOf(const std::string& point) {
    const std::size_t slash = point.rfind('/');
    return slash == std::string::npos ? point : point.substr(slash + 1);
}

}  // namespace

std::vector<Volume> VolumesFromMountTable(std::string_view table) {
    std::vector<Volume> volumes{{"/", "/"}};
    std::istringstream lines{std::string(table)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device;
        std::string point;
        if (!(fields >> device >> point)) {
            continue;
        }
        point = Unescape(point);
        const bool seen = std::any_of(volumes.begin(), volumes.end(),
                                      [&](const Volume& v) { return v.root == point; });
        if (IsMediaMount(point) && !seen) {
            volumes.push_back({point, LabelOf(point)});
        }
    }
    return volumes;
}

std::vector<Volume> ListVolumes() {
    const auto table = ReadWholeFile("/proc/self/mounts", nullptr);
    return VolumesFromMountTable(table ? *table : std::string());
}

}  // namespace brackmoor
