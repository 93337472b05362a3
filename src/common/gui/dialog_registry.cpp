#include "common/gui/dialog_registry.h"

#include <map>

namespace trevane {

namespace {
std::map<std::string, DialogRunner>& Registry() {
    static std::map<std::string, DialogRunner> registry;
    return registry;
}
}  // namespace

void RegisterDialog(const std::string& name, DialogRunner runner) { Registry()[name] = std::move(runner); }

bool IsDialogRegistered(const std::string& name) { return Registry().count(name) != 0; }

int RunRegisteredDialog(DialogModel& model, QWidget* parent) {
    auto it = Registry().find(model.Name());
    if (it == Registry().end() || !it->second) return 0;
    return it->second(model, parent);
}

}  // namespace trevane
