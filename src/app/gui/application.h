#pragma once
class QApplication;

namespace trevane {

// Start-up: splash window, main window, message loop. Returns the exit code.
// With the environment variable TREVANE_QUIT_WHEN_SHOWN set, the program ends as
// soon as the main window has been shown (used to time start-up).
int RunApplication(QApplication& app);

}  // namespace trevane
