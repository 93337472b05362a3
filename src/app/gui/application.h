#pragma once
class QApplication;

namespace trevane {

// Start-up: splash window, main window, message loop. Returns the exit code.
// With the command-line option --quit-when-shown the program ends as soon as the
// main window has been shown (the start-up benchmark times this).
int RunApplication(QApplication& app);

}  // namespace trevane
