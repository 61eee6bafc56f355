#include "app/program.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdlib>
#include <cstring>

#include "app/app_path.h"
#include "app/frm_mdi_main.h"
#include "app/program_icon.h"
#include "platform/qt_lazy_icon_style.h"
#include "platform/qt_message_box.h"

#ifndef BRACKMOOR_VERSION
#define BRACKMOOR_VERSION "0"
#endif

namespace brackmoor {

namespace {

// Name and version as --version and the desktop's "about" places show them.
void NameTheProgram() {
    QCoreApplication::setApplicationName("Brackmoor");
    QCoreApplication::setApplicationVersion(BRACKMOOR_VERSION);
}

// The options of the command line, read into `parser`; --help and --version are answered
// there and end the program.
void ReadCommandLine(QCommandLineParser& parser, const QCoreApplication& app) {
    parser.setApplicationDescription(
        "A launcher for Amiga floppy-disk collections (.ADF, .ADZ, .DMS): browse the "
        "collection, see a game's screenshot and notes, and start it in the emulator.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({"data",
                      "Keep \"Brackmoor.INI\", \"Game Settings.ini\" and \"Snaps\" in <folder> "
                      "(made when missing) instead of the usual place.",
                      "folder"});
    parser.process(app);
}

}  // namespace

bool AsksOnlyForText(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0) {
                return true;
            }
        }
    }
    return false;
}

void AnswerCommandLine(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    NameTheProgram();
    QCommandLineParser parser;
    ReadCommandLine(parser, app);
    std::exit(0);  // not reached: the parser ends the program after answering
}

int RunBrackmoor(QApplication& app, const std::function<void()>& whenShown) {
    NameTheProgram();
    QApplication::setStyle(new LazyIconStyle);
    QApplication::setWindowIcon(ProgramIcon());
    // Ties the windows to the installed desktop entry, whose icon the desktop shows for them.
    QGuiApplication::setDesktopFileName("io.github.brackmoor.Brackmoor");
    QCommandLineParser parser;
    ReadCommandLine(parser, app);

    QtMessageBoxes messages;
    LauncherSettings settings;
    const AppFolders folders =
        ChooseAppFolders(CurrentAppPathFacts(parser.value("data").toStdString()));
    settings.AppPath = folders.settings;
    settings.SnapsPath = folders.snaps;
    for (const std::string& folder : {folders.settings, folders.snaps}) {
        if (const Result made = MakeAppFolder(folder); !made) {
            messages.show({made.error(), "Brackmoor", MessageIcon::Critical, MessageButtons::Ok});
            return 1;
        }
    }

    FrmMDIMain main(settings, messages);
    messages.setParent(&main);
    main.load();
    main.show();
    if (whenShown) {
        QTimer::singleShot(0, &app, [&] {
            whenShown();
            QCoreApplication::quit();
        });
    }
    return app.exec();
}

}  // namespace brackmoor
