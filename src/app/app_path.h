#pragma once

#include <string>

namespace brackmoor {

// The application folder for a program in `programFolder`, ending in a separator. The program
// keeps its state beside itself, as a portable folder does; where that folder cannot be
// written (an installed copy), a per-user data folder takes its place.
std::string ChooseAppPath(const std::string& programFolder);

// `folder` with a trailing separator, not doubled at a root.
std::string WithTrailingSeparator(std::string folder);

}  // namespace brackmoor
