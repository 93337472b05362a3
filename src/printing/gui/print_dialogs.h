#pragma once
// The small windows of the print command: the titles window (TGridTitleFrm), the
// print confirmation (TPrntFrm), the progress window (TPrntProgFrm) and the
// printer set-up dialog of the built-in printer list.
#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;

namespace trevane {

class GridTitleFrmModel;
class PrntFrmModel;

// Registers TGridTitleFrm and TPrntFrm with the dialog registry (once is enough).
void RegisterPrintingDialogs();

class TGridTitleFrm : public QDialog {
    Q_OBJECT
public:
    TGridTitleFrm(GridTitleFrmModel& model, QWidget* parent);

private:
    GridTitleFrmModel& model_;
    QLineEdit* pupilName_;
    QLineEdit* gridTitle_;
};

class TPrntFrm : public QDialog {
    Q_OBJECT
public:
    TPrntFrm(PrntFrmModel& model, QWidget* parent);

private:
    void Show();
    PrntFrmModel& model_;
    QLabel* label1_;
    QLabel* copies_;
};

// Shown while a job is drawn; it cannot be closed by the pupil.
class TPrntProgFrm : public QDialog {
    Q_OBJECT
public:
    TPrntProgFrm(const std::string& text, QWidget* parent);
    void SetPosition(int percent);

private:
    QProgressBar* bar_;
};

// The printer set-up: which printer, and the paper of the built-in PDF printer.
class PrinterSetupDlg : public QDialog {
    Q_OBJECT
public:
    PrinterSetupDlg(const std::vector<std::string>& printers, const std::string& selected,
                    const std::vector<std::string>& papers, const std::string& paper, QWidget* parent);
    std::string Printer() const;
    std::string Paper() const;

private:
    QComboBox* printers_;
    QComboBox* papers_;
};

// Places a dialog in the middle of the screen it is on.
void CentreOnScreen(QWidget* dialog);

}  // namespace trevane
