#include "launch/launch_plan.h"

#include "platform/file_lookup.h"

namespace brackmoor {

DiskGathering GatherSingleLaunch(const FileListView& files, bool autoload,
                                 const std::string& gameFolder, PathStyle style) {
    DiskGathering gathering;
    const int count = files.count();
    const int focused = files.focusedIndex();
    if (focused < 0 || focused >= count) {
        return gathering;
    }
    const auto pathOf = [&](int i) { return DiskPath(gameFolder, files.name(i), style); };
    gathering.disks[0] = pathOf(focused);
    if (autoload && IsADisk(gathering.disks[0])) {
        // After the A disk: the next item is the B disk whatever its name, then a C disk, and
        // only after a C disk a D disk. Each candidate is selected as it is looked at, whether
        // or not it passes its test; the first that fails ends the set.
        bool (*const passes[])(std::string_view) = {[](std::string_view) { return true; }, IsCDisk,
                                                    IsDDisk};
        for (int drive = 1; drive <= 3 && focused + drive < count; ++drive) {
            const int candidate = focused + drive;
            gathering.selectInTurn.push_back(candidate);
            const std::string path = pathOf(candidate);
            if (!passes[drive - 1](path)) {
                break;
            }
            gathering.disks[static_cast<std::size_t>(drive)] = path;
        }
    }
    if (autoload) {
        gathering.reduceSelection = true;
        gathering.keep = focused;
    }
    return gathering;
}

DiskGathering GatherMultipleLaunch(const FileListView& files, const std::string& gameFolder,
                                   PathStyle style) {
    DiskGathering gathering;
    std::size_t used = 0;
    for (int i = files.nextSelected(0); i >= 0 && used < gathering.disks.size();
         i = files.nextSelected(i + 1)) {
        if (used == 0) {
            gathering.reduceSelection = true;
            gathering.keep = i;
        }
        gathering.disks[used++] = DiskPath(gameFolder, files.name(i), style);
    }
    return gathering;
}

void ApplySelectionChanges(const DiskGathering& gathering, FileSelection& files) {
    for (const int index : gathering.selectInTurn) {
        files.setSelected(index, true);
    }
    if (gathering.reduceSelection) {
        DeselectAllFiles(files);
        files.setSelected(gathering.keep, true);
    }
}

std::optional<LaunchPlan> PlanDrives(const DriveSlots& disks, const GameChoices& choices,
                                     const LauncherSettings& settings) {
    const int slot = choices.configPosition + 1;
    if (choices.configPosition < 0 || slot >= static_cast<int>(settings.ConfigLocations.size()) ||
        settings.ConfigLocations[slot].empty()) {
        return std::nullopt;
    }
    LaunchPlan plan;
    plan.configPath = settings.ConfigLocations[slot];
    plan.slots = disks;
    plan.disableUnused = choices.disableUnusedDrives;
    // No chosen entry (a name typed into the box) is no Workbench disk; a position that names
    // no disk (a record stored before the list was shortened) is refused.
    const int w = choices.workbenchPosition;
    if (w >= 1) {
        if (w >= static_cast<int>(settings.WorkBenchLocations.size()) ||
            settings.WorkBenchLocations[w].empty()) {
            return std::nullopt;
        }
        plan.slots = {settings.WorkBenchLocations[w], disks[0], disks[1], disks[2]};
    }
    return plan;
}

LaunchOutcome ExecuteLaunchPlan(const LaunchPlan& plan, const LauncherSettings& settings,
                                ProcessStarter& starter) {
    LaunchOutcome outcome;
    outcome.configPath = plan.configPath;
    outcome.program = settings.WinUAEName;
    outcome.plan = plan;
    // The file as it exists, whatever the letter case it was stored in: the one rewritten is
    // the one the emulator is handed. A path the command line cannot carry is refused before
    // anything is written.
    const std::string config = ResolveIgnoringCase(plan.configPath).string();
    ProcessRequest request;
    Result checked = EmulatorRequest(settings, config, &request);
    if (checked) {
        checked =
            RewriteEmulatorConfig(config, plan.slots, plan.disableUnused, KeyNamesFrom(settings));
    }
    if (!checked) {
        outcome.kind = LaunchOutcome::Kind::RewriteFailed;
        outcome.reason = checked.error();
        return outcome;
    }
    if (!ProgramExists(settings.WinUAEName)) {
        outcome.kind = LaunchOutcome::Kind::PathsWrong;
        return outcome;
    }
    if (Result started = starter.start(request, &outcome.pid); !started) {
        outcome.kind = LaunchOutcome::Kind::StartRefused;
        outcome.reason = started.error();
        return outcome;
    }
    outcome.kind = LaunchOutcome::Kind::Started;
    return outcome;
}

namespace {

LaunchOutcome Finish(const DiskGathering& gathering, FileListView& files,
                     const LaunchContext& context) {
    ApplySelectionChanges(gathering, files);
    const GameChoices choices = context.readChoices ? context.readChoices() : GameChoices{};
    const auto plan = PlanDrives(gathering.disks, choices, *context.settings);
    if (!plan) {
        LaunchOutcome outcome;
        outcome.kind = LaunchOutcome::Kind::PathsWrong;
        outcome.program = context.settings->WinUAEName;
        return outcome;
    }
    return ExecuteLaunchPlan(*plan, *context.settings, *context.starter);
}

}  // namespace

LaunchOutcome RunLaunch(FileListView& files, bool autoload, const LaunchContext& context) {
    const DiskGathering gathering =
        GatherSingleLaunch(files, autoload, context.gameFolder, context.style);
    if (gathering.disks[0].empty()) {
        return LaunchOutcome{};
    }
    return Finish(gathering, files, context);
}

LaunchOutcome RunLaunchMultiple(FileListView& files, const LaunchContext& context) {
    const DiskGathering gathering = GatherMultipleLaunch(files, context.gameFolder, context.style);
    if (gathering.disks[0].empty()) {
        return LaunchOutcome{};
    }
    return Finish(gathering, files, context);
}

std::optional<Message> LaunchMessage(const LaunchOutcome& outcome) {
    Message message;
    message.icon = MessageIcon::Critical;
    switch (outcome.kind) {
        case LaunchOutcome::Kind::RewriteFailed:
            message.text = "The emulator configuration \"" + outcome.configPath +
                           "\" could not be written: " + outcome.reason +
                           ". The emulator was not started.";
            return message;
        case LaunchOutcome::Kind::StartRefused:
            message.text = "The emulator \"" + outcome.program +
                           "\" could not be started: " + outcome.reason + ".";
            return message;
        default:
            return std::nullopt;
    }
}

}  // namespace brackmoor
