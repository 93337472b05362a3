#pragma once
// Modal dialogs by name. Each subsystem registers a runner for the dialogs whose
// behaviour lives in a core DialogModel; QtUserInterface::RunDialog looks the
// model's Name() up here and runs the Qt dialog that shows it.
#include <functional>
#include <string>

#include "common/user_interface.h"

class QWidget;

namespace trevane {

// Shows the dialog for the model modally under parent and returns model.Result().
using DialogRunner = std::function<int(DialogModel&, QWidget* parent)>;

// Registers (or replaces) the runner for the dialog named name (e.g. "SearchFrm").
void RegisterDialog(const std::string& name, DialogRunner runner);

// True when a runner is registered under name.
bool IsDialogRegistered(const std::string& name);

// Runs the registered dialog for model.Name(). A dialog that has no runner is
// closed with result 0 (nothing chosen) and returns 0.
int RunRegisteredDialog(DialogModel& model, QWidget* parent);

}  // namespace trevane
