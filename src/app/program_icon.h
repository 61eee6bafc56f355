#pragma once

#include <QIcon>
#include <QString>
#include <map>

namespace brackmoor {

// An icon drawn once per size, one picture file for each (`files`: the side in pixels, the
// file). A file is read the first time a size it serves is asked for, not when the icon is
// made: a window shows one size or two (the 16-pixel one in every title bar), and reading all
// of them up front was the largest single cost of start-up. A size is served as a plain icon of
// all the files would serve it: by the smallest picture at least as large, else the largest one,
// scaled down to fit, the disabled and selected looks made from it by the style.
QIcon SizedFilesIcon(std::map<int, QString> files);

// The program's window icon: the pictures drawn for it, 16 to 256 pixels.
QIcon ProgramIcon();

}  // namespace brackmoor
