#pragma once

#include <optional>
#include <string>

namespace brackmoor {

// Every file and folder chooser of the program goes through this interface, as messages go
// through MessageSink, so tests can see what was asked and answer it.
class Choosers {
public:
    virtual ~Choosers() = default;
    // An open-file dialog. `filter` holds pairs of a description and a pattern, each part
    // followed by "|" except the last ("WinUAE Exe (*.EXE)|*.EXE|All Files|*"); "*.*" stands
    // for every file. The chosen file's full path, or nothing when the user cancels.
    virtual std::optional<std::string> chooseFile(const std::string& filter) = 0;
    // A folder chooser titled `title`: the chosen folder's full path, or nothing on cancel.
    virtual std::optional<std::string> chooseFolder(const std::string& title) = 0;
};

// A folder the user picks, or the empty string when they cancel.
inline std::string BrowseForFolder(Choosers& choosers, const std::string& title) {
    return choosers.chooseFolder(title).value_or(std::string());
}

}  // namespace brackmoor
