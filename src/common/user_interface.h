#pragma once
// How page behaviour talks to the user. The program implements this with Qt
// (message boxes, dialogs, clipboard, help window); tests use a recording fake.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trevane {

enum class MsgKind { Information, Error, Warning, Confirmation };

// Buttons of a message box, combined as bits.
enum MsgButtons : unsigned { kBtnOk = 1, kBtnYes = 2, kBtnNo = 4, kBtnCancel = 8 };

enum class Answer { Ok, Yes, No, Cancel };

// A font as the pages keep it: name, height in pixels, style and colour.
struct PageFont {
    std::string name = "Arial";
    int height = 13;  // pixels
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint32_t color = 0x000000;  // 0xRRGGBB
    bool operator==(const PageFont&) const = default;
};

struct FileDialogRequest {
    std::string title;
    std::string filter;      // e.g. "Project files (*.prj)"
    std::string defaultExt;  // e.g. "prj"
    std::string initialDir;
    std::string fileName;
    // Save dialogs: the dialog asks before an existing file is chosen. A caller
    // that changes the chosen name afterwards asks itself, about the final name.
    bool askBeforeReplacing = true;
};

// A modal dialog's behaviour lives in a model of this kind; the Qt side finds the
// view for it by Name() (the dialog's instance name, e.g. "SearchFrm").
class DialogModel {
public:
    virtual ~DialogModel() = default;
    virtual const char* Name() const = 0;
    // The result the dialog closed with (0 while it is open); meaning per dialog.
    int Result() const { return result_; }
    bool Closed() const { return result_ != 0; }
    void Close(int result) { result_ = result; }

private:
    int result_ = 0;
};

class IPrinterSystem;  // printing/printer.h

class IUserInterface {
public:
    virtual ~IUserInterface() = default;

    // A message box of the given kind with the given buttons; returns the button pressed
    // (Cancel when the box is closed without one and Cancel is offered, else the last button).
    virtual Answer Message(MsgKind kind, const std::string& text, unsigned buttons) = 0;
    virtual void Beep() = 0;

    virtual std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<PageFont> FontDialog(const PageFont& current) = 0;

    // Runs a modal dialog until the model is closed; returns its result.
    virtual int RunDialog(DialogModel& model) = 0;

    virtual void ShowHelp(int context) = 0;
    virtual void HelpContents() = 0;
    virtual void HelpSearch() = 0;
    virtual void CloseHelp() = 0;

    virtual void SetClipboardText(const std::string& utf8) = 0;

    // The printers of the system (installed printers, jobs).
    virtual IPrinterSystem* Printers() = 0;

    // Shows the busy cursor while long work runs; the default does nothing.
    virtual void SetBusy(bool) {}

    // Convenience forms.
    void Inform(const std::string& text) { Message(MsgKind::Information, text, kBtnOk); }
    void ShowError(const std::string& text) { Message(MsgKind::Error, text, kBtnOk); }
};

}  // namespace trevane
