// Brackmoor's start-up as the program runs it, ending as soon as the main window is shown.

#include <QApplication>
#include <QTimer>

#include "app/app_path.h"
#include "app/frm_mdi_main.h"
#include "platform/qt_message_box.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    brackmoor::LauncherSettings settings;
    settings.AppPath = brackmoor::ChooseAppPath(QApplication::applicationDirPath().toStdString());
    brackmoor::QtMessageBoxes messages;
    brackmoor::FrmMDIMain main(settings, messages);
    messages.setParent(&main);
    main.load();
    main.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
