#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brackmoor {

// Name order of the folder bar, the file list and the finder: without regard to letter case,
// runs of digits by their value ("Disk 9" before "Disk 10"), ties broken by the bytes, so the
// order is total and a lettered set stays together.
bool NaturalLess(std::string_view a, std::string_view b);
void SortNaturally(std::vector<std::string>& names);

}  // namespace brackmoor
