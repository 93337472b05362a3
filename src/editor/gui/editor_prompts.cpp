#include "editor/gui/editor_prompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace trevane {

EditorPrompts::SaveChoice QtEditorPrompts::AskSaveChanges(QWidget* parent, const QString& file) {
    QMessageBox box(QMessageBox::Warning, "Unsaved changes", "Save the changes to " + file + "?",
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setObjectName("SaveChangesBox");
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save: return SaveChoice::Save;
        case QMessageBox::Discard: return SaveChoice::Discard;
        default: return SaveChoice::Cancel;
    }
}

EditorPrompts::DiskChoice QtEditorPrompts::AskChangedOnDisk(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Warning, "File changed on disk",
                    message +
                        "\n\nOverwrite it with your version (theirs is kept as the backup), "
                        "open their version (your changes are dropped), or cancel?",
                    QMessageBox::NoButton, parent);
    box.setObjectName("ChangedOnDiskBox");
    QPushButton* overwrite = box.addButton("Overwrite", QMessageBox::DestructiveRole);
    overwrite->setObjectName("OverwriteBtn");
    QPushButton* reload = box.addButton("Open theirs", QMessageBox::AcceptRole);
    reload->setObjectName("ReloadBtn");
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.exec();
    if (box.clickedButton() == overwrite) return DiskChoice::Overwrite;
    if (box.clickedButton() == reload) return DiskChoice::Reload;
    return DiskChoice::Cancel;
}

void QtEditorPrompts::ShowError(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Critical, title, message, QMessageBox::Ok, parent);
    box.setObjectName("ErrorBox");
    box.exec();
}

void QtEditorPrompts::ShowInformation(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Information, title, message, QMessageBox::Ok, parent);
    box.setObjectName("InformationBox");
    box.exec();
}

QString QtEditorPrompts::ChooseOpenFile(QWidget* parent, const QString& title, const QString& dir,
                                        const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, dir, filter);
}

QStringList QtEditorPrompts::ChooseOpenFiles(QWidget* parent, const QString& title, const QString& dir,
                                             const QString& filter) {
    return QFileDialog::getOpenFileNames(parent, title, dir, filter);
}

QString QtEditorPrompts::ChooseSaveFile(QWidget* parent, const QString& title, const QString& dir,
                                        const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, dir, filter);
}

QString QtEditorPrompts::AskText(QWidget* parent, const QString& title, const QString& label, const QString& text) {
    bool ok = false;
    const QString s = QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &ok);
    return ok ? s : QString();
}

int QtEditorPrompts::AskItem(QWidget* parent, const QString& title, const QString& label, const QStringList& items) {
    bool ok = false;
    const QString s = QInputDialog::getItem(parent, title, label, items, 0, false, &ok);
    return ok ? static_cast<int>(items.indexOf(s)) : -1;
}

bool QtEditorPrompts::ChoosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName("PrintOrderDialog");
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace trevane
