#pragma once

class QApplication;

namespace brackmoor {

// The program: the application folder, the main window, its load, and the event loop.
// `quitWhenShown` ends the loop as soon as the main window has been shown (start-up timing).
int RunBrackmoor(QApplication& app, bool quitWhenShown = false);

}  // namespace brackmoor
