#pragma once
// A recording fake of the user interface: every message, beep, dialog and help
// call is kept in order; answers and dialog scripts are queued by the caller.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/user_interface.h"

namespace trevane::testing {

struct RecordedMessage {
    MsgKind kind;
    std::string text;
    unsigned buttons;
};

class RecordingUi : public IUserInterface {
public:
    // The help calls without a context, as recorded in `help`.
    static constexpr int kHelpContents = -1, kHelpSearch = -2, kHelpClosed = -3;

    RecordingUi() = default;
    RecordingUi(const RecordingUi&) = delete;
    RecordingUi& operator=(const RecordingUi&) = delete;

    Answer Message(MsgKind kind, const std::string& text, unsigned buttons) override {
        messages.push_back({kind, text, buttons});
        if (!answers.empty()) {
            Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        if (buttons & kBtnOk) return Answer::Ok;
        if (buttons & kBtnYes) return Answer::Yes;
        return Answer::Cancel;
    }
    void Beep() override { ++beeps; }
    std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return Pop(openFiles);
    }
    std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return Pop(saveFiles);
    }
    std::optional<PageFont> FontDialog(const PageFont& current) override {
        fontRequests.push_back(current);
        return Pop(fonts);
    }
    // Runs the script queued for the dialog's name (or the next general one); a
    // dialog without a script is closed with result `defaultDialogResult`.
    int RunDialog(DialogModel& model) override {
        dialogs.push_back(model.Name());
        auto it = dialogScripts.find(model.Name());
        if (it != dialogScripts.end() && !it->second.empty()) {
            auto script = std::move(it->second.front());
            it->second.pop_front();
            script(model);
        }
        if (!model.Closed()) model.Close(defaultDialogResult);
        return model.Result();
    }
    void ShowHelp(int context) override { help.push_back(context); }
    void HelpContents() override { help.push_back(kHelpContents); }
    void HelpSearch() override { help.push_back(kHelpSearch); }
    void CloseHelp() override { help.push_back(kHelpClosed); }
    void SetClipboardText(const std::string& utf8) override { clipboard = utf8; }
    IPrinterSystem* Printers() override { return printers; }

    // What happened.
    std::vector<RecordedMessage> messages;
    int beeps = 0;
    std::vector<FileDialogRequest> openRequests, saveRequests;
    std::vector<PageFont> fontRequests;
    std::vector<std::string> dialogs;
    std::vector<int> help;
    std::string clipboard;

    // What to answer.
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> openFiles, saveFiles;
    std::deque<std::optional<PageFont>> fonts;
    std::map<std::string, std::deque<std::function<void(DialogModel&)>>> dialogScripts;
    int defaultDialogResult = 2;
    IPrinterSystem* printers = nullptr;

    std::string LastMessage() const { return messages.empty() ? std::string() : messages.back().text; }

private:
    template <class T>
    static std::optional<T> Pop(std::deque<std::optional<T>>& q) {
        if (q.empty()) return std::nullopt;
        auto v = std::move(q.front());
        q.pop_front();
        return v;
    }
};

}  // namespace trevane::testing
