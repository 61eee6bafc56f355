#pragma once

#include <vector>

#include "platform/volumes.h"

namespace brackmoor {

// The volumes of this machine now, from the system's list of mounted file systems.
std::vector<Volume> ListVolumes();

}  // namespace brackmoor
