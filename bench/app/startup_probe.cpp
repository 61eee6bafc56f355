// Brackmoor's start-up as the program runs it, printing the clock once the main window is shown.

#include <QApplication>

#include "app/program.h"
#include "shown_clock.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return brackmoor::RunBrackmoor(app, PrintShownClock);
}
