#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messages.h"
#include "platform/result.h"

namespace brackmoor {

// What the options dialog shows and saves: the launcher settings file as it is when the dialog
// opens, then as the user edits it.
struct OptionValues {
    std::vector<std::string> configs;      // used "Config Locations" slots, in slot order
    std::vector<std::string> workbenches;  // used "WorkBench Locations" slots, in slot order
    std::string games;                     // Brackmoor/StartGameDir
    std::string exe;                       // WinUAEName
    std::string commandLine;               // WinUAECommandLinePass
    std::string floppyCount;               // FloppyCountName
    std::array<std::string, 4> floppy;     // Floppy0Name .. Floppy3Name
    // Floppy0TypeName .. Floppy3TypeName, saved only when an emulator preset set them: the
    // dialog does not show them, and a file edited by hand keeps its own.
    std::optional<std::array<std::string, 4>> floppyTypes;
};

// The most entries each list holds.
inline constexpr std::size_t kMostConfigs = 50;
inline constexpr std::size_t kMostWorkbenches = 10;

// Reads every value the dialog shows, in the dialog's order. Empty slots close up; a missing
// key shows as "None" like any other value.
OptionValues ReadOptionValues(const std::string& appPath);

// False when one of the eight texts is empty or there is no configuration. A text of blanks is
// not empty; the Workbench list may be empty.
bool OptionsComplete(const OptionValues& values);

// `text` as it must stand in the file to read back as it is: the reader drops blanks at the
// edges of a value and one pair of outer quotes, so such a text is stored inside quotes. A
// pass such as "-- " keeps the blank that makes the configuration path an argument of its own.
std::string StoredText(std::string_view text);

// Writes the options into the settings file as one atomic replacement: StartGameDir, the
// emulator's names (with the type names when set), all ten Workbench slots and all fifty
// configuration slots by position, " " in each unused one. Window sections and other keys stay.
Result SaveOptionValues(const std::string& appPath, const OptionValues& values);

// The dialog's messages.
Message FieldsMissingMessage();
Message ConfigLimitMessage();
Message WorkbenchLimitMessage();
Message DeleteEntryQuestion();
// Offers starter configurations for `emulator`, made in `folder`.
Message StarterOfferQuestion(const std::string& emulator, const std::string& folder);

}  // namespace brackmoor
