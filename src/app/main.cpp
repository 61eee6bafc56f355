#include <QApplication>

#include "app/program.h"

int main(int argc, char** argv) {
    if (brackmoor::AsksOnlyForText(argc, argv)) {
        brackmoor::AnswerCommandLine(argc, argv);
    }
    QApplication app(argc, argv);
    return brackmoor::RunBrackmoor(app);
}
