#include "app/gui/application.h"

#include <QApplication>

#include "app/gui/main_window.h"
#include "app/session.h"
#include "app/gui/qt_user_interface.h"

namespace trevane {

int RunApplication(QApplication& app) {
    QtUserInterface ui;
    Session session(ui, QCoreApplication::applicationDirPath().toStdString());
    MainWindow window(session);
    window.show();
    return app.exec();
}

}  // namespace trevane
