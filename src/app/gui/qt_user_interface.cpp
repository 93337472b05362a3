#include "app/gui/qt_user_interface.h"

#include "common/gui/qt_fonts.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

#include "common/gui/dialog_registry.h"
#include "app/gui/help_window.h"

namespace trevane {

QString QtFileFilter(const std::string& filter) {
    const QString f = QString::fromStdString(filter);
    if (!f.contains('|')) return f;
    const QStringList parts = f.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        const QString patterns = QString(parts[i + 1]).replace(';', ' ').trimmed();
        if (!name.contains('(')) name += " (" + patterns + ")";
        filters << name;
    }
    if (parts.size() % 2 == 1 && !parts.back().trimmed().isEmpty()) filters << parts.back().trimmed();
    return filters.join(";;");
}

QtUserInterface::QtUserInterface() = default;

QtUserInterface::~QtUserInterface() { CloseHelp(); }

Answer QtUserInterface::Message(MsgKind kind, const std::string& text, unsigned buttons) {
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title = "Information";
    switch (kind) {
        case MsgKind::Information: break;
        case MsgKind::Error:
            icon = QMessageBox::Critical;
            title = "Error";
            break;
        case MsgKind::Warning:
            icon = QMessageBox::Warning;
            title = "Warning";
            break;
        case MsgKind::Confirmation:
            icon = QMessageBox::Question;
            title = "Confirm";
            break;
    }
    if (buttons == 0) buttons = kBtnOk;
    QMessageBox::StandardButtons std;
    if (buttons & kBtnOk) std |= QMessageBox::Ok;
    if (buttons & kBtnYes) std |= QMessageBox::Yes;
    if (buttons & kBtnNo) std |= QMessageBox::No;
    if (buttons & kBtnCancel) std |= QMessageBox::Cancel;
    QString shown = QString::fromStdString(text);
    shown.replace("\r\n", "\n");
    QMessageBox box(icon, title, shown, std, parent_);
    box.setObjectName("MessageBox");
    box.setDefaultButton((buttons & kBtnOk)    ? QMessageBox::Ok
                         : (buttons & kBtnYes) ? QMessageBox::Yes
                         : (buttons & kBtnNo)  ? QMessageBox::No
                                               : QMessageBox::Cancel);
    if (messagesOnTop_) box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Ok: return Answer::Ok;
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Cancel: return Answer::Cancel;
        default: break;
    }
    // Closed without a button: Cancel when offered, else the last button.
    if (buttons & kBtnCancel) return Answer::Cancel;
    if (buttons & kBtnNo) return Answer::No;
    if (buttons & kBtnYes) return Answer::Yes;
    return Answer::Ok;
}

void QtUserInterface::Beep() { QApplication::beep(); }

std::optional<std::string> QtUserInterface::OpenFileDialog(const FileDialogRequest& request) {
    QFileDialog dlg(parent_, QString::fromStdString(request.title), QString::fromStdString(request.initialDir),
                    QtFileFilter(request.filter));
    dlg.setObjectName("OpenDlg");
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setOption(QFileDialog::ReadOnly, false);
    if (!request.defaultExt.empty()) dlg.setDefaultSuffix(QString::fromStdString(request.defaultExt));
    if (!request.fileName.empty()) dlg.selectFile(QString::fromStdString(request.fileName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().front().toStdString();
}

std::optional<std::string> QtUserInterface::SaveFileDialog(const FileDialogRequest& request) {
    QFileDialog dlg(parent_, QString::fromStdString(request.title), QString::fromStdString(request.initialDir),
                    QtFileFilter(request.filter));
    dlg.setObjectName("SaveDlg");
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !request.askBeforeReplacing);
    if (!request.defaultExt.empty()) dlg.setDefaultSuffix(QString::fromStdString(request.defaultExt));
    if (!request.fileName.empty()) dlg.selectFile(QString::fromStdString(request.fileName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().front().toStdString();
}

std::optional<PageFont> QtUserInterface::FontDialog(const PageFont& current) {
    QFont f = ToQFont(current);
    QFontDialog dlg(f, parent_);
    dlg.setObjectName("FontDlg");
    dlg.setWindowTitle("Font");
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    const QFont chosen = dlg.selectedFont();
    PageFont r = current;
    r.name = chosen.family().toStdString();
    const double dpi = parent_ ? parent_->logicalDpiY() : 96.0;
    r.height = chosen.pixelSize() > 0 ? chosen.pixelSize() : qRound(chosen.pointSizeF() * dpi / 72.0);
    r.bold = chosen.bold();
    r.italic = chosen.italic();
    r.underline = chosen.underline();
    r.strikeOut = chosen.strikeOut();
    return r;
}

int QtUserInterface::RunDialog(DialogModel& model) {
    if (!IsDialogRegistered(model.Name())) {
        Message(MsgKind::Error, std::string("The window ") + model.Name() + " is not available.", kBtnOk);
        return model.Result();
    }
    return RunRegisteredDialog(model, parent_);
}

void QtUserInterface::SetHelpFile(std::string path) {
    CloseHelp();
    helpPath_ = std::move(path);
    help_.reset();
}

HelpWindow* QtUserInterface::Help() const { return helpWindow_.data(); }

HelpWindow* QtUserInterface::OpenHelp() {
    if (!help_) {
        try {
            help_ = std::make_unique<HelpFile>(LoadHelpFile(helpPath_));
        } catch (const std::exception&) {
            help_.reset();
        }
        if (!help_ || help_->Empty()) {
            help_.reset();
            Message(MsgKind::Information, kHelpFileMissingText, kBtnOk);
            return nullptr;
        }
        if (helpWindow_) helpWindow_->Reload();
    }
    if (!helpWindow_) helpWindow_ = new HelpWindow(*help_, parent_);
    return helpWindow_.data();
}

void QtUserInterface::ShowHelp(int context) {
    HelpWindow* w = OpenHelp();
    if (!w) return;
    if (!help_->Find(context)) {
        Message(MsgKind::Information, HelpTopicMissingText(context), kBtnOk);
        return;
    }
    w->ShowTopic(context);
}

void QtUserInterface::HelpContents() {
    if (HelpWindow* w = OpenHelp()) w->ShowContents();
}

void QtUserInterface::HelpSearch() {
    if (HelpWindow* w = OpenHelp()) w->ShowSearch();
}

void QtUserInterface::CloseHelp() {
    if (helpWindow_) {
        helpWindow_->close();
        delete helpWindow_.data();
    }
}

void QtUserInterface::SetClipboardText(const std::string& utf8) {
    QApplication::clipboard()->setText(QString::fromStdString(utf8));
}

void QtUserInterface::SetBusy(bool busy) {
    if (busy) {
        if (busy_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busy_ > 0) {
        if (--busy_ == 0) QApplication::restoreOverrideCursor();
    }
}

}  // namespace trevane
