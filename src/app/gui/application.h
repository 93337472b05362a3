#pragma once
class QApplication;

namespace trevane {

// Start-up: splash window, main window, message loop. Returns the exit code.
int RunApplication(QApplication& app);

}  // namespace trevane
