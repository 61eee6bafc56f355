#pragma once

namespace brackmoor {

// The choices of the media window that a launch applies and a game's record remembers: list
// positions (-1 when a list has no chosen entry) and the two switches.
struct GameChoices {
    int configPosition = 0;     // cmbConfigToUse: position i is ConfigLocations[i + 1]
    int workbenchPosition = 0;  // cmbWBUse: 0 is "NONE", no Workbench disk
    bool autoloadABCD = false;
    bool disableUnusedDrives = true;

    bool operator==(const GameChoices& o) const {
        return configPosition == o.configPosition && workbenchPosition == o.workbenchPosition &&
               autoloadABCD == o.autoloadABCD && disableUnusedDrives == o.disableUnusedDrives;
    }
};

// What a game without remembered settings gets, and what "Defaults" restores: the first
// configuration, no Workbench disk, unused drives disabled, no autoload.
inline GameChoices DefaultGameChoices() {
    return GameChoices{};
}

}  // namespace brackmoor
