#include "platform/qt_volumes.h"

#include <QStorageInfo>

namespace brackmoor {

std::vector<Volume> ListVolumes() {
    std::vector<MountPoint> mounts;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        mounts.push_back(
            {QFile::encodeName(storage.rootPath()).toStdString(), storage.name().toStdString()});
    }
    return MediaVolumes(mounts);
}

}  // namespace brackmoor
