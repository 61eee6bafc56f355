#pragma once

#include <functional>

class QApplication;

namespace brackmoor {

// The program: the application folder, the main window, its load, and the event loop.
// With `whenShown` (start-up timing), that is called once the main window has been shown and
// the loop then ends.
int RunBrackmoor(QApplication& app, const std::function<void()>& whenShown = {});

}  // namespace brackmoor
