#include "app/gui/application.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include "app/gui/main_window.h"
#include "app/gui/qt_user_interface.h"
#include "app/gui/splash_window.h"
#include "printing/gui/qt_printers.h"
#include "app/app_model.h"
#include "app/main_window_model.h"
#include "common/file_io.h"

namespace trevane {

int RunApplication(QApplication& app) {
    QApplication::setOverrideCursor(Qt::BusyCursor);

    auto* splash = new SplashWindow;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<SplashWindow> splashLeft(splash);
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    QApplication::setApplicationName("Trevane");
    QApplication::setApplicationDisplayName("Trevane");
    const std::string programDir = QCoreApplication::applicationDirPath().toStdString();

    QtUserInterface ui;
    ui.SetHelpFile(JoinPath(programDir, "QEL.hlp"));
    ui.SetMessagesOnTop(true);
    AppModel model(ui, programDir);
    // The system's printers; "Save as PDF" starts in the project folder.
    QtPrinterSystem printers(ui, [&model] { return model.State.DefaultUserDir; });
    ui.SetPrinters(&printers);
    MainWindow window(model);
    ui.SetParentWindow(&window);
    printers.SetParentWindow(&window);
    window.SetSplash(splash);
    QObject::connect(splash, &QObject::destroyed, &window, [&ui] { ui.SetMessagesOnTop(false); });
    model.Main().Startup();
    window.ReportCreationErrors();

    QApplication::restoreOverrideCursor();
    if (QCoreApplication::arguments().contains("--quit-when-shown"))
        QObject::connect(&window, &MainWindow::FirstShown, &app,
                         [] { QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); }); });
    // Without a window manager "maximised" is only a wish: take the screen too.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) window.setGeometry(screen->availableGeometry());
    QObject::connect(&window, &MainWindow::FirstShown, splash, [splash] { splash->raise(); });
    window.showMaximized();
    const int code = app.exec();
    delete splashLeft.data();  // still up when the program ends within its second
    return code;
}

}  // namespace trevane
