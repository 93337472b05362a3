#pragma once
#include <QPointer>
#include <memory>
#include <optional>
#include <string>

#include "help/help_file.h"
#include "common/user_interface.h"

class QWidget;

namespace trevane {

class HelpWindow;

// The user interface on Qt: QMessageBox, QFileDialog, QFontDialog, the clipboard,
// the help window and the printers.
class QtUserInterface : public IUserInterface {
public:
    QtUserInterface();
    ~QtUserInterface() override;

    Answer Message(MsgKind kind, const std::string& text, unsigned buttons) override;
    void Beep() override;
    std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<PageFont> FontDialog(const PageFont& current) override;
    int RunDialog(DialogModel& model) override;
    void ShowHelp(int context) override;
    void HelpContents() override;
    void HelpSearch() override;
    void CloseHelp() override;
    void SetClipboardText(const std::string& utf8) override;
    IPrinterSystem* Printers() override { return printers_; }
    void SetBusy(bool busy) override;

    // The window that parents message boxes, dialogs and the help window.
    void SetParentWindow(QWidget* w) { parent_ = w; }
    // The help file (normally the program folder + "QEL.hlp"); read at first use.
    void SetHelpFile(std::string path);
    // The printers of the system, provided by the printing module.
    void SetPrinters(IPrinterSystem* printers) { printers_ = printers; }
    // Message boxes stay above other windows (while the splash window is up).
    void SetMessagesOnTop(bool onTop) { messagesOnTop_ = onTop; }

    // The help window, when it has been opened (for tests).
    HelpWindow* Help() const;

private:
    // The help window with the file read; nullptr (after a message) when the file
    // cannot be read.
    HelpWindow* OpenHelp();

    QWidget* parent_ = nullptr;
    IPrinterSystem* printers_ = nullptr;
    bool messagesOnTop_ = false;
    int busy_ = 0;
    std::string helpPath_;
    std::unique_ptr<HelpFile> help_;
    QPointer<HelpWindow> helpWindow_;
};

// A file dialog filter in either form, "Text (*.prj)|*.prj|All (*.*)|*.*" or
// "Text (*.prj);;All (*)", as a Qt name filter list.
QString QtFileFilter(const std::string& filter);

}  // namespace trevane
