#pragma once

#include <optional>
#include <string>

namespace brackmoor {

// The media window acts on the current game: the file list's focused item. The file list
// implements these; tests use stand-ins.

class CurrentGameSource {
public:
    virtual ~CurrentGameSource() = default;
    // The game key of the focused item; nothing when the list is empty or the item's name gives
    // no key.
    virtual std::optional<std::string> currentGameKey() const = 0;
};

// The selection operations the multi-select stopper needs.
class FileSelection {
public:
    virtual ~FileSelection() = default;
    virtual int fileCount() const = 0;
    // Position of the first selected item in list order, or 0 when none is selected.
    virtual int firstSelectedIndex() const = 0;
    virtual void deselectAllFiles() = 0;
    // Selects the item and makes it the focused item; this runs the list's selection handling,
    // which reloads the media window and leaves the multi-select mode.
    virtual void selectFile(int index) = 0;
};

}  // namespace brackmoor
