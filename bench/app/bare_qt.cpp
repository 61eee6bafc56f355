// The references for start-up timing: a Qt program that only shows an empty main window, and
// with "--text" the same window showing one line of text, which costs the first use of the
// font database.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <cstring>

#include "shown_clock.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Brackmoor");
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        window.setCentralWidget(new QLabel("Brackmoor", &window));
    }
    window.show();
    QTimer::singleShot(0, &app, [] {
        PrintShownClock();
        QCoreApplication::quit();
    });
    return app.exec();
}
