#pragma once

#include <optional>
#include <string>

#include "launch/naming_rules.h"

namespace brackmoor {

class FileListView;  // launch/launch_plan.h

// The media window acts on the current game: the file list's focused item. The multi-select
// stopper works on the file list through the launch engine's FileSelection.

class CurrentGameSource {
public:
    virtual ~CurrentGameSource() = default;
    // The game key of the focused item; nothing when the list is empty or the item's name
    // gives no key.
    virtual std::optional<std::string> currentGameKey() const = 0;
};

// The current game of a file list: the game key of its focused item.
class FocusedGameOfList : public CurrentGameSource {
public:
    explicit FocusedGameOfList(const FileListView& files) : files_(files) {}
    std::optional<std::string> currentGameKey() const override;

private:
    const FileListView& files_;
};

}  // namespace brackmoor
