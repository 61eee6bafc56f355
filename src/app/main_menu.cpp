#include "app/main_menu.h"

#include <QMenuBar>

namespace brackmoor {

namespace {

QMenu* AddMenu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

}  // namespace

MainMenu::MainMenu(QMenuBar* bar, QObject* parent) : QObject(parent) {
    // Items have no shortcut keys; the menus open with Alt and their first letter.
    auto item = [this](QMenu* menu, const char* name, const char* caption, auto signal) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, signal);
    };
    auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(name);
    };
    QMenu* mnufile = AddMenu(bar, "mnufile", "&File");
    item(mnufile, "mnuFind", "Find A Game", &MainMenu::findGame);
    separator(mnufile, "mnusep2");
    item(mnufile, "mnuExit", "Exit", &MainMenu::exitProgram);
    QMenu* mnuOptions = AddMenu(bar, "mnuOptions", "&Options");
    item(mnuOptions, "mnuPaths", "Paths", &MainMenu::paths);
    separator(mnuOptions, "mnusep1");
    item(mnuOptions, "mnuSaveWindows", "Save Window Positions", &MainMenu::saveWindowPositions);
    item(mnuOptions, "mnuRestore1", "Restore Windows Defaults", &MainMenu::restoreWindowDefaults);
    QMenu* mnuHelp = AddMenu(bar, "mnuHelp", "&Help");
    item(mnuHelp, "mnuMainhelp", "Help", &MainMenu::showHelp);
    item(mnuHelp, "mnuAbout", "About", &MainMenu::showAbout);
}

}  // namespace brackmoor
