#include "app/program.h"

#include <QApplication>
#include <QTimer>

#include "app/app_path.h"
#include "app/frm_mdi_main.h"
#include "platform/qt_message_box.h"

namespace brackmoor {

int RunBrackmoor(QApplication& app, const std::function<void()>& whenShown) {
    QApplication::setApplicationName("Brackmoor");
    LauncherSettings settings;
    settings.AppPath = ChooseAppPath(QApplication::applicationDirPath().toStdString());

    QtMessageBoxes messages;
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
