#include "media/media_interfaces.h"

#include "launch/launch_plan.h"
#include "launch/naming_rules.h"

namespace brackmoor {

std::optional<std::string> FocusedGameOfList::currentGameKey() const {
    const int focused = files_.focusedIndex();
    if (focused < 0 || focused >= files_.count()) {
        return std::nullopt;
    }
    return GameKey(files_.name(focused));
}

}  // namespace brackmoor
