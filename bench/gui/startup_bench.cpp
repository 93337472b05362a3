// Start-up time of the program: from process start to the main window first
// shown (the splash's one-second timer is not waited for), and the part of it
// that builds the main window inside a running application.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "app/gui/main_window.h"
#include "app/gui/qt_user_interface.h"
#include "app/app_model.h"
#include "app/main_window_model.h"

extern char** environ;

namespace {

std::string BinDir() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().string();
}

// The real program, started as a new process with the offscreen platform; it
// ends as soon as its main window has been shown.
void BM_ProcessStartToMainWindowShown(benchmark::State& state) {
    const std::string program = BinDir() + "/trevane";
    if (!std::filesystem::exists(program)) {
        state.SkipWithError("the program trevane is not built beside the benchmark");
        return;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (auto _ : state) {
        pid_t pid = 0;
        char quit[] = "--quit-when-shown";
        char* argv[] = {const_cast<char*>(program.c_str()), quit, nullptr};
        if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start the program");
            return;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program did not end normally");
            return;
        }
    }
}
BENCHMARK(BM_ProcessStartToMainWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// Inside a running application: session, database load, settings, main window
// with every page, first showing.
void BM_MainWindowToFirstShown(benchmark::State& state) {
    const std::string programDir = BinDir();
    for (auto _ : state) {
        trevane::QtUserInterface ui;
        trevane::AppModel session(ui, programDir);
        trevane::MainWindow window(session);
        ui.SetParentWindow(&window);
        session.Main().Startup();
        QEventLoop loop;
        QObject::connect(&window, &trevane::MainWindow::FirstShown, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        window.show();
        loop.exec();
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowToFirstShown)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
