// Brackmoor's start-up as the program runs it, ending as soon as the main window is shown.

#include <QApplication>

#include "app/program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return brackmoor::RunBrackmoor(app, true);
}
