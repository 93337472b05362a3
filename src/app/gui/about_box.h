#pragma once
#include <QDialog>

namespace trevane {

// TAboutFrm (AboutFrm): caption "About", the product name, a picture, the
// publisher panel and the OK button SpeedButton1.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

// Registers the shell's dialogs ("AboutFrm") with the dialog registry.
void RegisterShellDialogs();

}  // namespace trevane
