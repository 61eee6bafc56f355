#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "launch/command_line.h"
#include "launch/config_rewrite.h"
#include "launch/game_choices.h"
#include "launch/naming_rules.h"
#include "platform/messages.h"
#include "settings/launcher_settings.h"

namespace brackmoor {

// The single launch (double click) and the multi-disk launch (right click over several selected
// disks) in three steps, so that the file list and the media window stay in the loop:
//
//   1. Gather the disks from the list: GatherSingleLaunch / GatherMultipleLaunch.
//   2. Apply the selection changes the gathering asks for (ApplySelectionChanges). Each one is
//      a program-made selection change, so the file list's selection handling runs for it and
//      reloads the media window from the newly focused game's record.
//   3. Only then read the media window's choices and finish the plan (PlanDrives): the choices
//      applied are the reloaded ones, not edits the user made without saving them.
//
// Then RewriteEmulatorConfig, and the start. RunLaunch and RunLaunchMultiple do all of it over
// the interfaces below; the window shows the message LaunchMessage gives for the outcome.

// The file list as the launch reads it: its items' listed names and its focused item.
class FileListView : public FileSelection {
public:
    virtual std::string name(int index) const = 0;
    // The focused item (the one clicked or selected last); -1 for an empty list.
    virtual int focusedIndex() const = 0;
};

// What step 1 found and what the window must do in step 2.
struct DiskGathering {
    DriveSlots disks;  // game disks from drive 0 upwards, before any Workbench shift
    // Items to select one after another, each added to the selection and made the focused
    // item (the B, C and D candidates of a lettered set).
    std::vector<int> selectInTurn;
    // Then, when set: unselect every item and select `keep` alone, making it the focused item.
    bool reduceSelection = false;
    int keep = 0;
};

// Single launch from the focused item of the list, reading only it and the three after it. With
// `autoload` on and an A disk, the item after it is the B disk whatever its name, the next one the
// C disk if it passes the C test (else the gathering ends), and, only after a C disk, the next the
// D disk if it passes the D test. With `autoload` on, whether or not a set was found, the selection
// is reduced to the launched item; with it off the selection is not touched. Nothing is gathered
// (no disk in drive 0) when no item is focused.
DiskGathering GatherSingleLaunch(const FileListView& files, bool autoload,
                                 const std::string& gameFolder, PathStyle style = kNativePathStyle);

// Multi-disk launch: the first four selected items in list order go to drives 0..3 (later
// ones are not even read), then the selection is reduced to the first selected item.
// Nothing is gathered when no item is selected.
DiskGathering GatherMultipleLaunch(const FileListView& files, const std::string& gameFolder,
                                   PathStyle style = kNativePathStyle);

// Step 2 on the real list, in the order the gathering gives.
void ApplySelectionChanges(const DiskGathering& gathering, FileSelection& files);

// A launch ready to be written and started.
struct LaunchPlan {
    std::string configPath;  // ConfigLocations[configPosition + 1]
    DriveSlots slots;        // after the Workbench shift
    bool disableUnused = false;
};

// Step 3: the configuration from the list position (position i is ConfigLocations[i+1]); a
// Workbench choice w >= 1 puts WorkBenchLocations[w], as stored, in drive 0 and moves the game
// disks up one drive, dropping a fourth; w < 1 ("NONE", or a name typed into the box) adds no
// Workbench disk. Nothing when no configuration is chosen or its position names an empty slot,
// or the Workbench position names no disk: the caller shows the paths-wrong message and writes
// nothing.
std::optional<LaunchPlan> PlanDrives(const DriveSlots& disks, const GameChoices& choices,
                                     const LauncherSettings& settings);

// How a launch ended.
struct LaunchOutcome {
    enum class Kind {
        Started,          // the emulator was started
        NothingToLaunch,  // no item to launch (empty list, nothing selected): nothing done
        PathsWrong,       // no usable configuration or Workbench choice (nothing written), or the
                          // emulator's executable is missing (after the rewrite): ShowPathsWrong
        RewriteFailed,    // the configuration could not be rewritten; the emulator was not started
        StartRefused,     // the system refused to run the executable
    };
    Kind kind = Kind::NothingToLaunch;
    std::string configPath;  // the configuration chosen, once known
    std::string program;     // WinUAEName
    std::string reason;      // for RewriteFailed and StartRefused
    int pid = 0;             // for Started
    std::optional<LaunchPlan> plan;
};

// Everything a launch uses besides the file list.
struct LaunchContext {
    std::string gameFolder;                    // GameFolder of the folder bar's state
    std::function<GameChoices()> readChoices;  // reads the media window's controls now
    const LauncherSettings* settings = nullptr;
    ProcessStarter* starter = nullptr;
    PathStyle style = kNativePathStyle;
};

// Rewrites the plan's configuration and starts the emulator on it (step 3 onwards).
LaunchOutcome ExecuteLaunchPlan(const LaunchPlan& plan, const LauncherSettings& settings,
                                ProcessStarter& starter);

// The whole single launch; `autoload` is chkAutoABCD as read when the launch begins.
LaunchOutcome RunLaunch(FileListView& files, bool autoload, const LaunchContext& context);

// The whole multi-disk launch.
LaunchOutcome RunLaunchMultiple(FileListView& files, const LaunchContext& context);

// The message to show for a RewriteFailed or StartRefused outcome (critical icon, naming the
// file and the reason). Nothing for the others; for PathsWrong the window calls ShowPathsWrong.
std::optional<Message> LaunchMessage(const LaunchOutcome& outcome);

}  // namespace brackmoor
