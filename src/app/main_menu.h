#pragma once

#include <QObject>

class QMenuBar;

namespace brackmoor {

// The main window's menu bar: "File", "Options" and "Help", opened with Alt and their
// underlined letter. It only says what was chosen; the main window carries the commands out.
class MainMenu : public QObject {
    Q_OBJECT
public:
    MainMenu(QMenuBar* bar, QObject* parent);

Q_SIGNALS:
    void findGame();
    void exitProgram();
    void paths();
    void saveWindowPositions();
    void restoreWindowDefaults();
    void showHelp();
    void showAbout();
};

}  // namespace brackmoor
