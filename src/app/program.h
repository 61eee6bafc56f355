#pragma once

#include <functional>

class QApplication;

namespace brackmoor {

// True when the command line asks only for text (--help, --version): the program then answers
// without a window system, so that it works in a terminal without a display.
bool AsksOnlyForText(int argc, char** argv);

// Answers --help or --version on standard output and ends the program; for AsksOnlyForText.
[[noreturn]] void AnswerCommandLine(int argc, char** argv);

// The program: its command line, the application folder, the main window, its load, and the
// event loop. With `whenShown` (start-up timing), that is called once the main window has been
// shown and the loop then ends.
int RunBrackmoor(QApplication& app, const std::function<void()>& whenShown = {});

}  // namespace brackmoor
