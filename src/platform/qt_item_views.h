#pragma once

class QAbstractItemView;

namespace brackmoor {

// Lets only the left mouse button act on the items of `view`, as in the lists this program's
// users know: a press, release or double click of any other button neither selects, opens nor
// chooses an item. (The file list and the folder list give the right button work of their own
// and filter it themselves.)
void KeepToLeftButton(QAbstractItemView* view);

}  // namespace brackmoor
