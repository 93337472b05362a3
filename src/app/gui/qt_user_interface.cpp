#include "app/gui/qt_user_interface.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace trevane {

Answer QtUserInterface::Message(MsgKind kind, const std::string& text, unsigned buttons) {
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title = "Information";
    switch (kind) {
        case MsgKind::Information: break;
        case MsgKind::Error: icon = QMessageBox::Critical; title = "Error"; break;
        case MsgKind::Warning: icon = QMessageBox::Warning; title = "Warning"; break;
        case MsgKind::Confirmation: icon = QMessageBox::Question; title = "Confirm"; break;
    }
    QMessageBox::StandardButtons std;
    if (buttons & kBtnOk) std |= QMessageBox::Ok;
    if (buttons & kBtnYes) std |= QMessageBox::Yes;
    if (buttons & kBtnNo) std |= QMessageBox::No;
    if (buttons & kBtnCancel) std |= QMessageBox::Cancel;
    QMessageBox box(icon, title, QString::fromStdString(text), std, parent_);
    box.setObjectName("MessageBox");
    const int r = box.exec();
    switch (r) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Cancel: return Answer::Cancel;
        default: return (buttons & kBtnCancel) ? Answer::Cancel : Answer::Ok;
    }
}

void QtUserInterface::Beep() { QApplication::beep(); }

std::optional<std::string> QtUserInterface::OpenFileDialog(const FileDialogSpec& spec) {
    const QString f = QFileDialog::getOpenFileName(parent_, QString::fromStdString(spec.title),
                                                   QString::fromStdString(spec.initialDir),
                                                   QString::fromStdString(spec.filter));
    if (f.isEmpty()) return std::nullopt;
    return f.toStdString();
}

std::optional<std::string> QtUserInterface::SaveFileDialog(const FileDialogSpec& spec) {
    const QString f = QFileDialog::getSaveFileName(parent_, QString::fromStdString(spec.title),
                                                   QString::fromStdString(spec.initialDir),
                                                   QString::fromStdString(spec.filter));
    if (f.isEmpty()) return std::nullopt;
    return f.toStdString();
}

std::optional<FontSpec> QtUserInterface::FontDialog(const FontSpec& current) {
    QFont f(QString::fromStdString(current.name));
    f.setPixelSize(current.height);
    f.setBold(current.bold);
    f.setItalic(current.italic);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, f, parent_);
    if (!ok) return std::nullopt;
    FontSpec r = current;
    r.name = chosen.family().toStdString();
    r.height = chosen.pixelSize() > 0 ? chosen.pixelSize() : qRound(chosen.pointSizeF() * 96.0 / 72.0);
    r.bold = chosen.bold();
    r.italic = chosen.italic();
    r.underline = chosen.underline();
    r.strikeOut = chosen.strikeOut();
    return r;
}

int QtUserInterface::RunDialog(DialogModel&) { return 0; }
void QtUserInterface::ShowHelp(int) {}
void QtUserInterface::HelpContents() {}
void QtUserInterface::HelpSearch() {}
void QtUserInterface::CloseHelp() {}

void QtUserInterface::SetClipboardText(const std::string& utf8) {
    QApplication::clipboard()->setText(QString::fromStdString(utf8));
}

}  // namespace trevane
