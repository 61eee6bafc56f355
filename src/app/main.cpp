#include <QApplication>

#include "app/app_path.h"
#include "app/frm_mdi_main.h"
#include "platform/qt_message_box.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Brackmoor");

    brackmoor::LauncherSettings settings;
    settings.AppPath = brackmoor::ChooseAppPath(QApplication::applicationDirPath().toStdString());

    brackmoor::QtMessageBoxes messages;
    brackmoor::FrmMDIMain main(settings, messages);
    messages.setParent(&main);
    main.load();
    main.show();
    return app.exec();
}
