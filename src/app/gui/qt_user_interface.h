#pragma once
#include "app/user_interface.h"

class QWidget;

namespace trevane {

// The user interface on Qt: QMessageBox, QFileDialog, QFontDialog, the clipboard,
// the help window and the printers.
class QtUserInterface : public IUserInterface {
public:
    Answer Message(MsgKind kind, const std::string& text, unsigned buttons) override;
    void Beep() override;
    std::optional<std::string> OpenFileDialog(const FileDialogSpec& spec) override;
    std::optional<std::string> SaveFileDialog(const FileDialogSpec& spec) override;
    std::optional<FontSpec> FontDialog(const FontSpec& current) override;
    int RunDialog(DialogModel& model) override;
    void ShowHelp(int context) override;
    void HelpContents() override;
    void HelpSearch() override;
    void CloseHelp() override;
    void SetClipboardText(const std::string& utf8) override;
    IPrinterSystem* Printers() override { return nullptr; }

    void SetParentWindow(QWidget* w) { parent_ = w; }

private:
    QWidget* parent_ = nullptr;
};

}  // namespace trevane
